#include "../doubles/recording_services.h"
#include "test_drives.h"

#include "app/program.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_program_starter.h"
#include "window/win32/form1_window.h"

#include <array>
#include <gtest/gtest.h>
#include <map>

namespace {

using window::Control;

// The whole program in its window, started in G:\ (the window's own test
// drive) as a user would start it there, with the Windows ucc on PATH.
class WindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetEnvironmentVariableW(L"PATH", L"Z:" UCC_DIR);  // the build tree, through Wine's Z: drive
        ASSERT_TRUE(SetCurrentDirectoryW(L"G:\\") && root.file(L"a.pkg") && root.file(L"b.pkg") && root.directory(L"sub"));
        form1.raise(Control::Form1, window::Event::Load, -1);
        form1.show(SW_SHOWNORMAL);
        pump();
    }

    // Runs what the window was sent in its own message loop, which ends once
    // nothing else waits.
    void pump() {
        PostQuitMessage(0);
        form1.run();
    }
    LRESULT send(Control control, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
        return SendMessageW(form1.control(control), message, wParam, lParam);
    }
    void press(Control button) {
        send(button, BM_CLICK);
        pump();
    }
    // The mouse pressed on a row and let go; as WM_LBUTTONDBLCLK, the second press of a double click.
    void click(Control list, int row, UINT down = WM_LBUTTONDOWN) {
        RECT item;
        send(list, LB_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
        send(list, down, MK_LBUTTON, MAKELPARAM(item.left + 5, item.top + 2));
        send(list, WM_LBUTTONUP, 0, MAKELPARAM(item.left + 5, item.top + 2));
        pump();
    }
    int count(Control list) { return static_cast<int>(send(list, LB_GETCOUNT)); }
    bool appears(const wchar_t* name) {
        for (int tries = 0; tries < 200 && !root.exists(name); ++tries) Sleep(50);
        return root.exists(name);
    }

    test_drives::Folder root{L"G:"};
    platform::Win32FileSystem fileSystem;
    platform::Win32ProgramStarter starter;
    ScriptedDialogs dialogs;
    app::Services services{fileSystem, starter, dialogs};
    app::Program program{services};
    window::Form1Window form1{window::form1, program, program.lists};
};

TEST_F(WindowTest, EveryControlSitsAtItsTablePlaceInTabOrderWithItsCaptionWhole) {
    if (GetDpiForWindow(form1.handle()) != 96) GTEST_SKIP() << "the table's pixels are for 96 dpi";
    RECT client;
    GetClientRect(form1.handle(), &client);
    EXPECT_EQ(std::pair(client.right, client.bottom), std::pair(342L, 454L));
    std::map<int, const window::ControlDescription*> tabOrder;  // by tab index, all but the label
    for (const window::ControlDescription& control : window::form1.controls) {
        HWND handle = form1.control(control.id);
        RECT place;
        GetWindowRect(handle, &place);
        MapWindowPoints(nullptr, form1.handle(), reinterpret_cast<POINT*>(&place), 2);
        EXPECT_EQ((std::array{place.left, place.top, place.right - place.left, place.bottom - place.top}),
                  (std::array<LONG, 4>{control.left / 15, control.top / 15, control.width / 15, control.height / 15}))
            << control.name;
        if (control.kind == window::ControlClass::CommandButton) {
            HDC dc = GetDC(handle);
            SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(handle, WM_GETFONT, 0, 0)));
            SIZE caption;
            GetTextExtentPoint32A(dc, control.caption.data(), static_cast<int>(control.caption.size()), &caption);
            ReleaseDC(handle, dc);
            EXPECT_LE(caption.cx, control.width / 15 - 4) << control.name << " shows its caption whole";
        }
        if (control.kind != window::ControlClass::Label) tabOrder[control.tabIndex] = &control;
    }
    // The focus starts on Drive1, the first; Tab goes through them all and round.
    HWND at = GetFocus();
    for (const auto& [tabIndex, control] : tabOrder) {
        EXPECT_EQ(at, form1.control(control->id)) << "Tab should be on " << control->name;
        at = GetNextDlgTabItem(form1.handle(), at, FALSE);
    }
    EXPECT_EQ(at, form1.control(Control::Drive1)) << "Tab goes round";
}

// Delete File asks first and only Yes deletes; Refresh List shows what is left.
TEST_F(WindowTest, DeleteFileDeletesTheSelectedFileOnlyOnYes) {
    for (const bool yes : {false, true}) {
        click(Control::File1, 1);  // b.pkg
        dialogs.otherwise = yes;
        press(Control::Command4);
        EXPECT_EQ(root.exists(L"b.pkg"), !yes);
        press(Control::Command3);
        EXPECT_EQ(count(Control::File1), yes ? 1 : 2);
    }
    EXPECT_EQ(dialogs.asked.size(), 2u);
    EXPECT_TRUE(root.exists(L"a.pkg") && dialogs.reported.empty());
}

// Return and a double click open a Dir1 entry, a click only highlights; a
// drive with no medium is reported once.
TEST_F(WindowTest, Dir1OpensOnReturnAndDoubleClickAndAnUnreadyDriveIsReportedOnce) {
    ASSERT_EQ(count(Control::Dir1), 2) << "G:\\ and sub";
    click(Control::Dir1, 1);
    EXPECT_EQ(program.lists.dir1().path().native(), L"G:\\");
    PostMessageW(form1.control(Control::Dir1), WM_KEYDOWN, VK_RETURN, 0);
    pump();
    EXPECT_EQ(program.lists.dir1().path().native(), L"G:\\sub");
    EXPECT_EQ(count(Control::File1), 0);
    click(Control::Dir1, 0);
    click(Control::Dir1, 0, WM_LBUTTONDBLCLK);
    EXPECT_EQ(program.lists.dir1().path().native(), L"G:\\");

    HWND drive1 = form1.control(Control::Drive1);
    send(Control::Drive1, CB_SETCURSEL,
         send(Control::Drive1, CB_FINDSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(L"f:")));
    for (const WORD notification : {CBN_SELENDOK, CBN_SELCHANGE})  // as the list reports a pick with the mouse
        SendMessageW(form1.handle(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(drive1), notification),
                     reinterpret_cast<LPARAM>(drive1));
    pump();
    EXPECT_EQ(dialogs.reported.size(), 1u);
}

// The compress buttons start the Windows ucc on the selected file or on the
// whole folder, which it expands itself, leaving hidden files and never
// overwriting. (0hidden.pkg sorts first: were it packed, it would be by now.)
TEST_F(WindowTest, CompressButtonsPackTheSelectedFileOrTheFolderThroughTheTool) {
    ASSERT_TRUE(root.file(L"0hidden.pkg", FILE_ATTRIBUTE_HIDDEN));
    click(Control::File1, 1);  // b.pkg
    press(Control::Command6);
    ASSERT_TRUE(appears(L"b.pkg.gz"));
    press(Control::Command1);
    EXPECT_TRUE(appears(L"a.pkg.gz"));
    EXPECT_FALSE(root.exists(L"0hidden.pkg.gz"));
}

TEST_F(WindowTest, ExitClosesTheWindowAndEndsTheMessageLoop) {
    program.unload = [this] { form1.close(); };  // as the program's main does
    send(Control::Command2, BM_CLICK);
    PostQuitMessage(7);  // ends the loop with 7 only if the window does not end it first
    EXPECT_EQ(form1.run(), 0);
    EXPECT_EQ(form1.handle(), nullptr);
}

}  // namespace
