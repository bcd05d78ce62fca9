#include "tool_commands.h"

#include "tool_operand.h"

#include "browse/as_shown.h"
#include "platform/path_text.h"
#include "text/display_text.h"

#include <stdexcept>

namespace actions {

namespace {

using platform::NativeString;

const NativeString packer = {'u', 'c', 'c'};
const NativeString compress = {'c', 'o', 'm', 'p', 'r', 'e', 's', 's'};
const NativeString decompress = {'d', 'e', 'c', 'o', 'm', 'p', 'r', 'e', 's', 's'};

// What a missing packer's report says beyond the system's words.
platform::PlatformFailure packerNotFound(const platform::ProgramNotFound& failure) {
    constexpr size_t mostFolders = 10;
    std::string text = std::string(failure.what()) + "\n\nThe packer ucc was not found. Looked in:";
    const auto& searched = failure.searched();
    for (size_t i = 0; i < std::min(searched.size(), mostFolders); ++i) {
        text += '\n';
        text += text::displayText(searched[i].native());
    }
    if (searched.size() > mostFolders) text += "\n…";
    if (searched.empty()) text += " no folder at all (PATH names none).";
    text += "\n\nInstall ucc, or put it in one of these folders.";
    return platform::PlatformFailure(text, failure.subject());
}

}  // namespace

platform::ToolCommand toolCommand(const browse::Lists& lists, Tool tool) {
    const NativeString verb = tool == Tool::DecompressFile ? decompress : compress;
    const platform::NativeChar separator = lists.fileSystem().separator();
    if (tool == Tool::CompressFolder) {
        const browse::DirList& dirs = lists.dir1();
        return {packer, verb, platform::separatorJoined(dirs.list(dirs.listIndex()), NativeString(1, '*'), separator)};
    }
    const browse::FileList& files = lists.file1();
    if (files.path().empty()) throw std::runtime_error("No folder is open.");
    return {packer, verb, platform::separatorJoined(files.path(), files.fileName(), separator)};
}

void startTool(const browse::Lists& lists, const std::shared_ptr<platform::ProgramStarter>& starter, Tool tool) {
    const platform::ToolCommand command = toolCommand(lists, tool);
    // The tool gets a path text, which it opens itself: refuse one that it
    // would read as other files than the one meant.
    const bool folderCommand = tool == Tool::CompressFolder;
    const browse::DirList& dirs = lists.dir1();
    const browse::FileList& files = lists.file1();
    const platform::Path folder = folderCommand ? dirs.list(dirs.listIndex()) : files.path();
    if (const auto why = whyToolMisreads(folderCommand ? folder.native() : command.operand.native()))
        throw std::runtime_error(*why);
    const std::optional<platform::FileIdentity> listed =
        folderCommand ? dirs.highlightedIdentity() : std::optional(files.directoryIdentity());
    const NativeString name = folderCommand ? NativeString() : files.fileName();
    try {
        lists.jobs().run(folder, [fileSystem = lists.sharedFileSystem(), starter, command, folder, listed, name,
                                  selected = files.selectedIdentity()](jobs::Job& job) {
            const platform::OpenDirectory directory = browse::openAsShown(*fileSystem, folder, listed);
            if (!name.empty()) browse::checkStillSelected(*fileSystem, directory, name, selected);
            starter->start(command, job);
        });
    } catch (const platform::ProgramNotFound& failure) {
        throw packerNotFound(failure);
    }
}

}  // namespace actions
