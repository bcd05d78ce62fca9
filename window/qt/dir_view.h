#pragma once

#include "list_views.h"

#include "browse/dir_list.h"
#include "window/controls.h"

#include <QIcon>
#include <functional>

namespace window {

// Dir1's entries as rows: the ancestors from the top down, the open
// directory, then its subdirectories, each indented by its depth.
class DirListModel final : public ListModel {
public:
    DirListModel(const browse::DirList& dirs, QObject* parent);
    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    const browse::DirList& dirs_;
    QIcon openFolder_, closedFolder_;
};

// Dir1 on screen. One entry is always highlighted, the one the list has: a
// click or the arrow keys highlight another, nothing takes the highlight
// away. A double click or Return opens the highlighted entry.
class DirView final : public ListView {
public:
    DirView(const browse::DirList& dirs, std::function<void(Event, int)> raise, QWidget* parent);
    // Shows the entries and the highlight as the list has them.
    void showList();

protected:
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index, const QEvent* event) const override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    const browse::DirList& dirs_;
    std::function<void(Event, int)> raise_;
    DirListModel model_;
};

}  // namespace window
