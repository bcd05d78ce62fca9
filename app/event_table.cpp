#include "event_table.h"

#include "actions/file_deletion.h"
#include "actions/tool_commands.h"
#include "browse/list_coupling.h"

namespace app {

const std::array<EventRow, 9> form1Events = {{
    {"Form1", "Load", [](Session& s) { browse::startUp(s.form.lists(), s.services.fileSystem); }},
    {"Drive1", "Change", [](Session& s) { browse::driveChange(s.form.lists()); }},
    {"Dir1", "Change", [](Session& s) { browse::directoryChange(s.form.lists()); }},
    {"Command1", "Click", [](Session& s) { actions::compressFolder(s.form.lists(), s.services); }},
    {"Command6", "Click", [](Session& s) { actions::compressFile(s.form.lists(), s.services); }},
    {"Command7", "Click", [](Session& s) { actions::decompressFile(s.form.lists(), s.services); }},
    {"Command4", "Click", [](Session& s) { actions::deleteSelectedFile(s.form.lists(), s.services); }},
    {"Command3", "Click", [](Session& s) { actions::refreshFileList(s.form.lists()); }},
    {"Command2", "Click", [](Session& s) { s.form.close(); }},  // unload Form1; the program ends with it
}};

}  // namespace app
