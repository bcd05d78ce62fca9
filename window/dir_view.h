#pragma once

#include "guard.h"
#include "list_view_basics.h"

#include "browse/dir_list.h"

#include <QIcon>

namespace window {

// Dir1's entries as rows: the ancestors from the root down, the open
// directory, then its subdirectories.
class DirListModel final : public ListModel {
public:
    static constexpr int DepthRole = Qt::UserRole + 1;

    DirListModel(const browse::DirList& dirs, QObject* parent);
    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    int rowOf(int listIndex) const { return listIndex - dirs_.firstIndex(); }
    int listIndexOf(int row) const { return row + dirs_.firstIndex(); }

private:
    const browse::DirList& dirs_;
    QIcon openFolder_, closedFolder_;
};

// Dir1 on screen. A click or the arrow keys only highlight an entry; a double
// click or Return opens it.
class DirView final : public QListView {
public:
    DirView(browse::DirList& dirs, Guard guard, QWidget* parent);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void openEntry(const QModelIndex& index);
    void showHighlight();

    browse::DirList& dirs_;
    DirListModel model_;
    Guard guard_;
};

}  // namespace window
