#pragma once

#include <QAbstractListModel>
#include <QListView>

namespace window {

// An adapter that shows one of the lists; reload() tells its view that the
// list was replaced.
class ListModel : public QAbstractListModel {
public:
    using QAbstractListModel::QAbstractListModel;
    void reload() {
        beginResetModel();
        endResetModel();
    }
};

// Both list views: one row selected at most, nothing editable, and rows of one
// height, so that a million rows lay out at once.
inline void setUpListView(QListView& view, ListModel& model) {
    view.setModel(&model);
    view.setUniformItemSizes(true);
    view.setSelectionMode(QAbstractItemView::SingleSelection);
    view.setEditTriggers(QAbstractItemView::NoEditTriggers);
}

}  // namespace window
