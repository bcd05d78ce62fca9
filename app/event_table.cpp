#include "event_table.h"

#include "program.h"

#include "actions/file_deletion.h"
#include "actions/tool_commands.h"
#include "window/form_description.h"

#include <array>

namespace app {
namespace {

using enum window::Control;
using enum window::Event;

constexpr std::array<EventRow, 13> table = {{
    // The window's handlers.
    {Form1, Load, [](Program& p, int) { p.lists.startUp(); }},
    {Drive1, Change, [](Program& p, int index) { p.lists.pickDrive(index); }},
    {Dir1, Change, [](Program& p, int index) { p.lists.openDirectory(index); }},
    {Command1, Click,
     [](Program& p, int) { actions::startTool(p.lists, p.services.starter, actions::Tool::CompressFolder); }},
    {Command6, Click,
     [](Program& p, int) { actions::startTool(p.lists, p.services.starter, actions::Tool::CompressFile); }},
    {Command7, Click,
     [](Program& p, int) { actions::startTool(p.lists, p.services.starter, actions::Tool::DecompressFile); }},
    {Command4, Click, [](Program& p, int) { actions::deleteSelectedFile(p.lists, p.boxes); }},
    {Command3, Click, [](Program& p, int) { p.lists.refreshFiles(); }},
    {Command2, Click,
     [](Program& p, int) {
         if (p.unload) p.unload();
     }},  // the program ends with its window
    // The lists' own answers to the user.
    {Drive1, DropDown, [](Program& p, int) { p.lists.refreshDrives(); }},
    {Drive1, DrivesChanged, [](Program& p, int) { p.lists.refreshDrives(); }},
    {Dir1, Highlight, [](Program& p, int index) { p.lists.highlightDirectory(index); }},
    {File1, Select, [](Program& p, int index) { p.lists.selectFile(index); }},
}};

// Every button does exactly one thing, and every row names a control the
// window has, once: a binding left out or doubled does not compile.
constexpr bool everyButtonBoundOnce() {
    for (const window::ControlDescription& control : window::form1.controls) {
        int clicks = 0;
        for (const EventRow& row : table) clicks += row.source == control.id && row.event == Click;
        if (clicks != (control.kind == window::ControlClass::CommandButton ? 1 : 0)) return false;
    }
    return true;
}

constexpr bool everyRowUnique() {
    for (size_t i = 0; i < table.size(); ++i) {
        if (table[i].source != Form1 && !window::form1.has(table[i].source)) return false;
        for (size_t j = i + 1; j < table.size(); ++j)
            if (table[i].source == table[j].source && table[i].event == table[j].event) return false;
    }
    return true;
}

static_assert(everyButtonBoundOnce(), "every button needs exactly one Click row");
static_assert(everyRowUnique(), "a row names a control twice for one event, or one the window lacks");

}  // namespace

std::span<const EventRow> form1Events() { return table; }

}  // namespace app
