#include "tool_commands.h"

#include "tool_operand.h"

#include "browse/as_shown.h"

#include <stdexcept>

namespace actions {
namespace {

using platform::NativeString;

const NativeString tool = {'u', 'c', 'c'};
const NativeString compress = {'c', 'o', 'm', 'p', 'r', 'e', 's', 's'};
const NativeString decompress = {'d', 'e', 'c', 'o', 'm', 'p', 'r', 'e', 's', 's'};

NativeString joined(const platform::Path& directory, platform::NativeChar separator, platform::NativeView name) {
    NativeString text = directory.native();
    text += separator;
    text += name;
    return text;
}

// The tool gets a path text, which it opens itself: refuse one that it
// would read as other files than the one meant.
void checkReadsExactly(const NativeString& operand) {
    if (const auto why = whyToolMisreads(operand)) throw std::runtime_error(*why);
}

// The selected file's path, once the directory is still the one listed and
// the file the one selected.
NativeString selectedFilePath(const browse::Lists& lists) {
    const browse::FileList& files = lists.file1();
    if (files.path().empty()) throw std::runtime_error("No folder is open.");
    const NativeString name = files.fileName();
    const NativeString operand = joined(files.path(), lists.fileSystem().separator(), name);
    checkReadsExactly(operand);
    const platform::OpenDirectory directory =
        browse::openAsShown(lists.fileSystem(), files.path(), files.directoryIdentity());
    if (!name.empty()) browse::checkStillSelected(lists.fileSystem(), directory, name, files.selectedIdentity());
    return operand;
}

}  // namespace

platform::ToolCommand compressFolderCommand(const browse::Lists& lists) {
    const browse::DirList& dirs = lists.dir1();
    const platform::Path folder = dirs.list(dirs.listIndex());
    checkReadsExactly(folder.native());
    browse::openAsShown(lists.fileSystem(), folder, dirs.highlightedIdentity());
    return {tool, compress, joined(folder, lists.fileSystem().separator(), NativeString(1, '*'))};
}

platform::ToolCommand compressFileCommand(const browse::Lists& lists) { return {tool, compress, selectedFilePath(lists)}; }

platform::ToolCommand decompressFileCommand(const browse::Lists& lists) {
    return {tool, decompress, selectedFilePath(lists)};
}

}  // namespace actions
