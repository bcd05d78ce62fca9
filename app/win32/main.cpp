#include "app/patient_file_system.h"
#include "app/program.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_program_starter.h"
#include "window/form_description.h"
#include "window/presenter.h"
#include "window/win32/form1_window.h"
#include "window/win32/win32_dialogs.h"

#include <windows.h>

#include <cstdlib>
#include <exception>

namespace {

// The program in its window: the file system used off the window's thread
// and waited for through the window. The exit code.
int run(int showCommand) {
    platform::Win32FileSystem system;
    app::PatientFileSystem fileSystem(system);
    platform::Win32ProgramStarter starter;
    window::Win32Dialogs dialogs;
    app::Services services{fileSystem, starter, dialogs};
    app::Program program(services);
    window::Presenter presenter(program.lists, program);
    window::Form1Window form1(window::form1, presenter, showCommand);
    if (!form1.window()) return 1;
    dialogs.setOwner(form1.window());
    fileSystem.setWaiter(&form1);
    struct Unset {  // a call that ends later must not reach a window that is gone
        app::PatientFileSystem& fileSystem;
        ~Unset() { fileSystem.setWaiter(nullptr); }
    } unset{fileSystem};
    program.unload = [&form1] { form1.close(); };
    presenter.start();
    const int code = form1.run();
    // A read the user gave up on may still wait on its drive: end without
    // unwinding into it.
    if (fileSystem.leftCallsBehind()) std::_Exit(code);
    return code;
}

}  // namespace

// Arguments are ignored; nothing is configured. A failure that no user action
// caught ends the program with a box that says what it was.
int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int showCommand) {
    try {
        return run(showCommand);
    } catch (const std::exception& failure) {
        MessageBoxW(nullptr, platform::fromUtf8(failure.what()).c_str(), platform::fromUtf8(window::form1.boxTitle).c_str(),
                    MB_OK | MB_ICONERROR);
        return 1;
    }
}
