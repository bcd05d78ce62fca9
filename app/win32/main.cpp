#include "app/program.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_program_starter.h"
#include "window/form_description.h"
#include "window/presenter.h"
#include "window/win32/form1_window.h"
#include "window/win32/win32_dialogs.h"

#include <windows.h>

#include <exception>

// Arguments are ignored; nothing is configured. A failure that no user action
// caught ends the program with a box that says what it was.
int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int showCommand) {
    try {
        platform::Win32FileSystem fileSystem;
        platform::Win32ProgramStarter starter;
        window::Win32Dialogs dialogs;
        app::Services services{fileSystem, starter, dialogs};
        app::Program program(services);
        window::Presenter presenter(program.lists, program);
        window::Form1Window form1(window::form1, presenter, showCommand);
        if (!form1.window()) return 1;
        dialogs.setOwner(form1.window());
        program.unload = [&form1] { form1.close(); };
        presenter.start();
        return form1.run();
    } catch (const std::exception& failure) {
        MessageBoxW(nullptr, platform::fromUtf8(failure.what()).c_str(), platform::fromUtf8(window::form1.boxTitle).c_str(),
                    MB_OK | MB_ICONERROR);
        return 1;
    }
}
