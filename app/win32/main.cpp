#include "app/program.h"
#include "app/window_wiring.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_program_starter.h"
#include "window/form_description.h"
#include "window/presenter.h"
#include "window/win32/form1_window.h"
#include "window/win32/win32_dialogs.h"

#include <windows.h>

#include <atomic>
#include <exception>

namespace {

// The program in its window; the exit code.
int run(int showCommand) {
    window::Win32Dialogs dialogs;
    auto shown = std::make_shared<std::atomic<HWND>>(nullptr);  // where a tool's end is told
    auto starter = std::make_shared<platform::Win32ProgramStarter>([shown](DWORD tool) {
        if (HWND window = *shown) PostMessageW(window, window::Form1Window::toolEndedMessage, tool, 0);
    });
    app::Program program({std::make_shared<platform::Win32FileSystem>(), starter, dialogs});
    window::Presenter presenter(program.lists, program);
    window::Form1Window form1(window::form1, presenter, showCommand);
    if (!form1.window()) return 1;
    dialogs.setOwner(form1.window());
    *shown = form1.window();
    app::WindowWiring wiring(program, presenter, form1.waitLoop(), [&form1] { form1.close(); });
    form1.setWait(&wiring.wait());
    presenter.start();
    const int code = form1.run();
    *shown = nullptr;
    return program.finish(code);
}

}  // namespace

// Arguments are ignored; nothing is configured. A failure that no user action
// caught ends the program with a box that says what it was.
int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int showCommand) {
    try {
        return run(showCommand);
    } catch (const std::exception& failure) {
        MessageBoxW(nullptr, platform::fromUtf8(failure.what()).c_str(),
                    platform::fromUtf8(window::form1.boxTitle).c_str(), MB_OK | MB_ICONERROR);
        return 1;
    }
}
