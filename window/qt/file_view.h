#pragma once

#include "list_views.h"

#include "browse/file_list.h"
#include "window/controls.h"

#include <functional>

namespace window {

// File1's names as rows, as displayText shows them; the names themselves stay
// the file system's own in the list.
class FileListModel final : public ListModel {
public:
    FileListModel(const browse::FileList& files, QObject* parent) : ListModel(parent), files_(files) {}
    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    const browse::FileList& files_;
};

// File1 on screen: one file selected at most, or none. Selecting or
// double-clicking a file only selects it.
class FileView final : public ListView {
public:
    FileView(const browse::FileList& files, std::function<void(Event, int)> raise, QWidget* parent);
    // Shows the names and the selection as the list has them.
    void showList();

private:
    const browse::FileList& files_;
    std::function<void(Event, int)> raise_;
    FileListModel model_;
};

}  // namespace window
