#include "tool_commands.h"

#include "platform/display_text.h"

#include <stdexcept>

namespace actions {
namespace {

using platform::NativeString;

const NativeString tool = {'u', 'c', 'c'};
const NativeString compress = {'c', 'o', 'm', 'p', 'r', 'e', 's', 's'};
const NativeString decompress = {'d', 'e', 'c', 'o', 'm', 'p', 'r', 'e', 's', 's'};
const NativeString wildcards = {'*', '?'};

NativeString joined(const platform::Path& directory, platform::NativeChar separator, platform::NativeView name) {
    NativeString text = directory.native();
    text += separator;
    text += name;
    return text;
}

// The tool expands patterns itself and has no quoting, so a "*" or "?" in a
// name or folder would reach other files than the one meant: refuse it.
const NativeString& withoutPattern(const NativeString& text) {
    if (text.find_first_of(wildcards) != NativeString::npos)
        throw std::runtime_error("Nothing was started: ucc would read the * or ? in " + platform::displayText(text) +
                                 " as a pattern and work on other files too.");
    return text;
}

NativeString selectedFilePath(const browse::Lists& lists) {
    const browse::FileList& files = lists.file1();
    if (files.path().empty()) throw std::runtime_error("No folder is open.");
    return withoutPattern(joined(files.path(), lists.fileSystem().separator(), files.fileName()));
}

}  // namespace

platform::ToolCommand compressFolderCommand(const browse::Lists& lists) {
    const browse::DirList& dirs = lists.dir1();
    const NativeString folder = withoutPattern(dirs.list(dirs.listIndex()).native());
    return {tool, compress, joined(folder, lists.fileSystem().separator(), NativeString(1, '*'))};
}

platform::ToolCommand compressFileCommand(const browse::Lists& lists) { return {tool, compress, selectedFilePath(lists)}; }

platform::ToolCommand decompressFileCommand(const browse::Lists& lists) {
    return {tool, decompress, selectedFilePath(lists)};
}

}  // namespace actions
