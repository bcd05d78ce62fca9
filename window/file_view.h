#pragma once

#include "list_view_basics.h"

#include "browse/file_list.h"

namespace window {

// File1's names as rows, shown as best they decode; the names themselves stay
// the file system's bytes in the model.
class FileListModel final : public ListModel {
public:
    FileListModel(const browse::FileList& files, QObject* parent);
    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    const browse::FileList& files_;
};

// File1 on screen: one file selected at most. Selecting or double-clicking a
// file only selects it.
class FileView final : public QListView {
public:
    FileView(browse::FileList& files, QWidget* parent);

private:
    void showSelection();

    browse::FileList& files_;
    FileListModel model_;
};

}  // namespace window
