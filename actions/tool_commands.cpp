#include "tool_commands.h"

#include "selected_file.h"

#include "browse/dir_list.h"

namespace actions {
namespace {

constexpr const char* tool = "ucc";

void startMinimised(const platform::ToolCommand& command, Services& services) {
    services.starter.start(command, platform::WindowState::MinimizedWithFocus);
}

}  // namespace

platform::ToolCommand compressFolderCommand(const browse::Lists& lists, char separator) {
    std::string folder = lists.dir1.list(lists.dir1.listIndex()).native();
    folder += separator;
    folder += '*';  // left for the tool to expand
    return {tool, "compress", folder};
}

platform::ToolCommand compressFileCommand(const browse::Lists& lists, char separator) {
    return {tool, "compress", selectedFilePath(lists, separator)};
}

platform::ToolCommand decompressFileCommand(const browse::Lists& lists, char separator) {
    return {tool, "decompress", selectedFilePath(lists, separator)};
}

void compressFolder(const browse::Lists& lists, Services& services) {
    startMinimised(compressFolderCommand(lists, services.fileSystem.separator()), services);
}

void compressFile(const browse::Lists& lists, Services& services) {
    startMinimised(compressFileCommand(lists, services.fileSystem.separator()), services);
}

void decompressFile(const browse::Lists& lists, Services& services) {
    startMinimised(decompressFileCommand(lists, services.fileSystem.separator()), services);
}

}  // namespace actions
