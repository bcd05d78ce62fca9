#include "app/program.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_program_starter.h"
#include "window/form_description.h"
#include "window/win32/form1_window.h"
#include "window/win32/win32_dialogs.h"

#include <windows.h>

// Arguments are ignored; nothing is configured.
int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int showCommand) {
    platform::Win32FileSystem fileSystem;
    platform::Win32ProgramStarter starter;
    window::Win32Dialogs dialogs;
    app::Services services{fileSystem, starter, dialogs};
    app::Program program(services);

    window::Form1Window form1(window::form1, program, program.lists);
    if (!form1.handle()) return 1;
    dialogs.setOwner(form1.handle());
    program.unload = [&form1] { form1.close(); };
    form1.raise(window::Control::Form1, window::Event::Load, -1);
    form1.show(showCommand);
    return form1.run();
}
