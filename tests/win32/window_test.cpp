#include "../doubles/recording_services.h"
#include "test_drives.h"

#include "app/program.h"
#include "app/window_wiring.h"
#include "jobs/job_failures.h"
#include "platform/platform_failure.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_program_starter.h"
#include "window/layout.h"
#include "window/twips.h"
#include "window/win32/form1_window.h"
#include "window/win32/win32_dialogs.h"

#include <algorithm>
#include <atomic>
#include <array>
#include <condition_variable>
#include <mutex>
#include <commctrl.h>
#include <oleacc.h>
#include <dbt.h>
#include <stdexcept>
#include <tuple>
#include <gtest/gtest.h>

namespace {

using window::Control;

// The system's file system, but reading G:\sub never answers until released,
// like a network folder whose server went down.
class StuckFileSystem final : public platform::Win32FileSystem {
public:
    platform::DirectoryListing readDirectory(const platform::Path& directory, platform::Checkpoints& job,
                                             platform::ListingObserver* observer = nullptr) const override {
        if (directory.native() == L"G:\\sub") {
            std::unique_lock lock(mutex_);
            releasedCondition_.wait(lock, [this] { return released_; });
        }
        return Win32FileSystem::readDirectory(directory, job, observer);
    }
    void release() {
        const std::lock_guard lock(mutex_);
        released_ = true;
        releasedCondition_.notify_all();
    }

private:
    mutable std::mutex mutex_;
    mutable std::condition_variable releasedCondition_;
    bool released_ = false;
};

// The whole program in its window, started in G:\ (the window's own test
// drive) as a user would start it there, with the Windows ucc on PATH.
class WindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetEnvironmentVariableW(L"PATH", L"Z:" UCC_DIR);  // the build tree, through Wine's Z: drive
        ASSERT_TRUE(SetCurrentDirectoryW(L"G:\\") && root.file(L"a.pkg") && root.file(L"b.pkg") &&
                    root.directory(L"sub"));
        form1.setWait(&wiring.wait());
        *shown = form1.window();
        presenter.start();
        pump();
    }
    // A read left behind answers now; it shares the file system, which stays while it ends.
    void TearDown() override { system->release(); }

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
        RECT item{LVIR_BOUNDS, 0, 0, 0};
        send(list, LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
        send(list, down, MK_LBUTTON, MAKELPARAM(item.left + 5, item.top + 2));
        send(list, WM_LBUTTONUP, 0, MAKELPARAM(item.left + 5, item.top + 2));
        pump();
    }
    void type(Control list, const wchar_t* text) {
        for (; *text; ++text) PostMessageW(form1.control(list), WM_CHAR, *text, 0);
        pump();
    }
    int count(Control list) { return static_cast<int>(send(list, LVM_GETITEMCOUNT)); }
    int selected(Control list) {
        return static_cast<int>(send(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    }
    // What a screen reader reads for a row.
    std::wstring itemText(Control list, int row) {
        wchar_t text[512] = {};
        LVITEMW item{};
        item.pszText = text;
        item.cchTextMax = 512;
        send(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
        return text;
    }
    bool appears(const wchar_t* name) {
        for (int tries = 0; tries < 200 && !root.exists(name); ++tries) Sleep(50);
        return root.exists(name);
    }

    test_drives::Folder root{L"G:"};
    std::shared_ptr<StuckFileSystem> system = std::make_shared<StuckFileSystem>();
    ScriptedDialogs dialogs;
    // Where a tool's end is told, as the program's main does.
    std::shared_ptr<std::atomic<HWND>> shown = std::make_shared<std::atomic<HWND>>(nullptr);
    app::Program program{{system, std::make_shared<platform::Win32ProgramStarter>([shown = shown](DWORD tool) {
                              if (HWND window = *shown)
                                  PostMessageW(window, window::Form1Window::toolEndedMessage, tool, 0);
                          }),
                          dialogs}};
    // Notes each event on its way to the program.
    struct Recorder final : window::UserInput {
        explicit Recorder(window::UserInput& program) : program(program) {}
        void raise(Control control, window::Event event, int row) override {
            seen.push_back({control, event, row});
            program.raise(control, event, row);
        }
        window::UserInput& program;
        std::vector<std::tuple<Control, window::Event, int>> seen;
    } recorder{program};
    window::Presenter presenter{program.lists, recorder};
    window::Form1Window form1{window::form1, presenter};
    app::WindowWiring wiring{program, presenter, form1.waitLoop(), [this] { form1.close(); }};
};

TEST_F(WindowTest, EveryControlSitsAtItsTablePlaceInTabOrderWithItsCaptionWhole) {
    if (GetDpiForWindow(form1.window()) != 96) GTEST_SKIP() << "the table's pixels are for 96 dpi";
    RECT client;
    GetClientRect(form1.window(), &client);
    EXPECT_EQ(std::pair(client.right, client.bottom), std::pair(342L, 454L));
    for (const window::ControlDescription& control : window::form1.controls) {
        HWND handle = form1.control(control.id);
        RECT place;
        GetWindowRect(handle, &place);
        MapWindowPoints(nullptr, form1.window(), reinterpret_cast<POINT*>(&place), 2);
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
        // Each control in its role's font: the buttons' and Drive1's bold, the others regular.
        const auto& role =
            control.font == window::FontRole::Button ? window::form1.buttonFont : window::form1.windowFont;
        LOGFONTW font{};
        GetObjectW(reinterpret_cast<HFONT>(SendMessageW(handle, WM_GETFONT, 0, 0)), sizeof font, &font);
        EXPECT_EQ(font.lfWeight, role.weight) << control.name;
        EXPECT_EQ(std::wstring(font.lfFaceName), L"Comic Sans MS") << control.name;
        const LONG pixels = MulDiv(static_cast<int>(role.pointSize * 100 + 0.5), 96, 7200);
        if (control.kind == window::ControlClass::CommandButton) {
            EXPECT_LE(-font.lfHeight, pixels) << control.name;
        } else {
            EXPECT_EQ(-font.lfHeight, pixels) << control.name;
        }
    }
    // The window's own dark blue, beside Drive1 below the banner.
    HDC screen = GetDC(form1.window());
    EXPECT_EQ(GetPixel(screen, 165, 100), RGB(1, 0, 66));
    ReleaseDC(form1.window(), screen);
    // The focus starts on Drive1, the first; Tab goes through them all and round.
    HWND at = GetFocus();
    for (Control control : {Control::Drive1, Control::Command1, Control::Command2, Control::File1, Control::Dir1,
                            Control::Command6, Control::Command7, Control::Command3, Control::Command4}) {
        EXPECT_EQ(at, form1.control(control)) << "Tab should be on control " << static_cast<int>(control);
        at = GetNextDlgTabItem(form1.window(), at, FALSE);
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
    system->release();  // sub answers
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
        SendMessageW(form1.window(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(drive1), notification),
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

// Typing finds a file as on Linux; a long name scrolls sideways and is read
// whole; picking the shown drive again by keys raises Change again.
TEST_F(WindowTest, TypeAheadSidewaysScrollReadableRowsAndARetriedDrive) {
    const std::wstring longName(120, L'x');
    ASSERT_TRUE(root.file(L"real.pkg") && root.file((longName + L".pkg").c_str()));
    press(Control::Command3);
    type(Control::File1, L"r");
    EXPECT_EQ(itemText(Control::File1, selected(Control::File1)), L"real.pkg");
    EXPECT_EQ(program.lists.file1().fileName(), L"real.pkg");

    RECT client;
    GetClientRect(form1.control(Control::File1), &client);
    EXPECT_GT(send(Control::File1, LVM_GETCOLUMNWIDTH, 0), client.right) << "the row is wider than the list";
    EXPECT_TRUE(GetWindowLongW(form1.control(Control::File1), GWL_STYLE) & WS_HSCROLL);

    recorder.seen.clear();
    SetFocus(form1.control(Control::Drive1));
    send(Control::Drive1, WM_KEYDOWN, VK_F4);  // the list opens on the drive shown
    send(Control::Drive1, WM_KEYDOWN, VK_RETURN);
    pump();
    const int drive = program.lists.drive1().listIndex();
    EXPECT_EQ(std::count(recorder.seen.begin(), recorder.seen.end(),
                         std::tuple(Control::Drive1, window::Event::Change, drive)),
              1);
}

// The tool starts minimised with the input focus; once it ends, the
// keyboard is the window's again, on the button that started it.
TEST_F(WindowTest, TheKeyboardComesBackOnceTheToolEnds) {
    click(Control::File1, 1);  // b.pkg
    SetFocus(form1.control(Control::Command6));
    send(Control::Command6, WM_KEYDOWN, VK_SPACE);
    send(Control::Command6, WM_KEYUP, VK_SPACE);
    pump();
    ASSERT_TRUE(appears(L"b.pkg.gz"));
    for (int tries = 0; tries < 100 && GetForegroundWindow() != form1.window(); ++tries) {
        Sleep(20);
        pump();
    }
    EXPECT_EQ(GetForegroundWindow(), form1.window());
    EXPECT_EQ(GetFocus(), form1.control(Control::Command6));
    MSG tab{form1.control(Control::Command6), WM_KEYDOWN, VK_TAB, 0, 0, {}};
    EXPECT_TRUE(IsDialogMessageW(form1.window(), &tab));
    EXPECT_EQ(GetFocus(), form1.control(Control::Command7)) << "Tab moves on";
}

// What a control shows on the screen, or, `alone`, painted into a bitmap of
// its own, so that boxes or windows over it on the screen do not count.
std::vector<COLORREF> pixelsOf(HWND control, bool alone = false) {
    UpdateWindow(control);  // what waits to be painted, painted now
    RECT client;
    GetClientRect(control, &client);
    HDC screen = GetDC(control);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, client.right, client.bottom);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    if (alone)
        PrintWindow(control, memory, PW_CLIENTONLY);
    else
        BitBlt(memory, 0, 0, client.right, client.bottom, screen, 0, 0, SRCCOPY);
    SelectObject(memory, previous);
    BITMAPINFO format{};
    format.bmiHeader = {sizeof(BITMAPINFOHEADER), client.right, -client.bottom, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    std::vector<COLORREF> pixels(static_cast<size_t>(client.right * client.bottom));
    GetDIBits(memory, bitmap, 0, static_cast<UINT>(client.bottom), pixels.data(), &format, DIB_RGB_COLORS);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(control, screen);
    return pixels;
}

// The list with the keyboard shows it: its selection in full, a frame on its
// current row once the keyboard cues show, or around it when it has no row.
TEST_F(WindowTest, TheListWithTheKeyboardShowsAFocusMark) {
    click(Control::File1, 1);
    SendMessageW(form1.window(), WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
    for (Control list : {Control::Dir1, Control::File1}) {
        SetFocus(form1.control(Control::Command1));
        pump();
        const auto without = pixelsOf(form1.control(list));
        SetFocus(form1.control(list));
        pump();
        EXPECT_NE(pixelsOf(form1.control(list)), without) << static_cast<int>(list);
    }
    system->release();  // sub answers, and holds no file
    click(Control::Dir1, 1);
    PostMessageW(form1.control(Control::Dir1), WM_KEYDOWN, VK_RETURN, 0);
    pump();
    ASSERT_EQ(count(Control::File1), 0);
    SetFocus(form1.control(Control::Command1));
    pump();
    const auto without = pixelsOf(form1.control(Control::File1));
    SetFocus(form1.control(Control::File1));
    pump();
    EXPECT_NE(pixelsOf(form1.control(Control::File1)), without) << "a frame round a list with no rows";
}

// A screen reader reads the drive box as "Drive", and the lists by their names.
TEST_F(WindowTest, AScreenReaderReadsTheControlsNames) {
    const auto nameOf = [](HWND control) {
        IAccessible* accessible = nullptr;
        if (FAILED(AccessibleObjectFromWindow(control, static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible,
                                              reinterpret_cast<void**>(&accessible))))
            return std::wstring(L"(none)");
        VARIANT self;
        self.vt = VT_I4;
        self.lVal = CHILDID_SELF;
        BSTR name = nullptr;
        std::wstring text = SUCCEEDED(accessible->get_accName(self, &name)) && name ? name : L"(none)";
        SysFreeString(name);
        accessible->Release();
        return text;
    };
    EXPECT_EQ(nameOf(form1.control(Control::Dir1)), L"Folders");
    EXPECT_EQ(nameOf(form1.control(Control::File1)), L"Files");
    const std::wstring drive = nameOf(form1.control(Control::Drive1));
    if (test_drives::underWine() && drive != L"Drive") GTEST_SKIP() << "Wine keeps no names set for screen readers";
    EXPECT_EQ(drive, L"Drive");
}

// The boxes come centred on the window, and the lists stay drawn beneath them.
TEST_F(WindowTest, ABoxComesOverTheWindowAndTheListsStayDrawnBeneath) {
    window::Win32Dialogs boxes;
    boxes.setOwner(form1.window());
    static HWND owner, listBeneath;
    static std::vector<COLORREF> beneath;
    static POINT boxCentre;
    owner = form1.window();
    listBeneath = form1.control(Control::File1);
    const auto before = pixelsOf(listBeneath, true);
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR, DWORD) {
        HWND box = FindWindowW(L"#32770", L"quarvel2");
        if (!box || !IsWindowVisible(box)) return;
        RECT rect;
        GetWindowRect(box, &rect);
        boxCentre = {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
        beneath = pixelsOf(listBeneath, true);
        PostMessageW(box, WM_COMMAND, IDOK, 0);
    });
    boxes.report("The drive does not answer.", "G:\\sub");
    KillTimer(nullptr, timer);
    RECT window;
    GetWindowRect(owner, &window);
    EXPECT_NEAR(boxCentre.x, (window.left + window.right) / 2, 2);
    EXPECT_NEAR(boxCentre.y, (window.top + window.bottom) / 2, 2);
    EXPECT_EQ(beneath, before);
}

// Moved to a monitor of twice the DPI, the window lays itself out again from
// its twips; back, it is as it was.
TEST_F(WindowTest, AChangeOfDpiLaysTheWindowOutAgain) {
    const auto place = [this](Control control) {
        RECT rect;
        GetWindowRect(form1.control(control), &rect);
        MapWindowPoints(nullptr, form1.window(), reinterpret_cast<POINT*>(&rect), 2);
        return std::array{rect.left, rect.top, rect.right - rect.left};
    };
    const auto rowHeight = [this] {
        RECT row{LVIR_BOUNDS, 0, 0, 0};
        send(Control::File1, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&row));
        return row.bottom - row.top;
    };
    const UINT dpi = GetDpiForWindow(form1.window());
    const auto before = place(Control::Command4);
    const LONG rowBefore = rowHeight();
    for (const UINT now : {dpi * 2, dpi}) {
        RECT suggested{0, 0, 100, 100};
        SendMessageW(form1.window(), WM_DPICHANGED, MAKEWPARAM(now, now), reinterpret_cast<LPARAM>(&suggested));
        RECT client;
        GetClientRect(form1.window(), &client);
        EXPECT_EQ(client.right, window::twipsToPixels(window::form1.clientWidth, now));
        EXPECT_EQ(place(Control::Command4)[0], window::twipsToPixels(3960, now));
        EXPECT_NEAR(rowHeight(), rowBefore * static_cast<LONG>(now / dpi), 2) << "the rows grow with the text";
    }
    EXPECT_EQ(place(Control::Command4), before);
}

// A failure that no event caught closes the window and comes out of run().
TEST_F(WindowTest, AFailureOutsideTheBoundaryEndsTheLoopInsteadOfCrossingTheSystem) {
    struct Failing final : window::UserInput {
        void raise(Control, window::Event, int) override { throw std::logic_error("no row"); }
    } failing;
    window::Presenter broken{program.lists, failing};
    window::Form1Window form{window::form1, broken};
    PostMessageW(form.control(Control::Command3), BM_CLICK, 0, 0);
    EXPECT_THROW(form.run(), std::logic_error);
    EXPECT_EQ(form.window(), nullptr);
}

// Opening a folder that does not answer waits with a wait cursor, painting;
// Escape gives up with one report and the lists as they were.
TEST_F(WindowTest, EscapeGivesUpAFolderThatDoesNotAnswer) {
    static window::Form1Window* waitingWindow;
    waitingWindow = &form1;
    const UINT_PTR timer = SetTimer(nullptr, 0, 10, [](HWND, UINT, UINT_PTR, DWORD) {
        if (waitingWindow->waiting() && GetCursor() == LoadCursorW(nullptr, IDC_WAIT))
            PostMessageW(waitingWindow->control(Control::Dir1), WM_KEYDOWN, VK_ESCAPE, 0);
    });
    click(Control::Dir1, 1);  // sub
    PostMessageW(form1.control(Control::Dir1), WM_KEYDOWN, VK_RETURN, 0);
    pump();
    KillTimer(nullptr, timer);
    EXPECT_EQ(dialogs.reported, std::vector<std::string>{jobs::NoAnswer("").what()});
    EXPECT_EQ(program.lists.dir1().path().native(), L"G:\\");
    EXPECT_EQ(count(Control::File1), 2);
    EXPECT_FALSE(form1.waiting());
}

// A drive that comes or goes has Drive1 list the drives anew.
TEST_F(WindowTest, ADriveThatArrivesIsListed) {
    recorder.seen.clear();
    SendMessageW(form1.window(), WM_DEVICECHANGE, DBT_DEVICEARRIVAL, 0);
    pump();
    EXPECT_EQ(
        recorder.seen,
        (std::vector<std::tuple<Control, window::Event, int>>{{Control::Drive1, window::Event::DrivesChanged, -1}}));
}

// Started on a drive the system does not list (mapped after Wine's server
// started, as K: is by scripts/test-windows), the program lists it and opens its root.
TEST(UnlistedDrive, TheWorkingDirectorysDriveIsListedAndOpened) {
    wchar_t roots[512] = {};
    GetLogicalDriveStringsW(511, roots);
    for (const wchar_t* root = roots; *root; root += wcslen(root) + 1)
        if (towupper(*root) == L'K') GTEST_SKIP() << "the system lists K: already";
    ASSERT_TRUE(SetCurrentDirectoryW(L"K:\\maps")) << "scripts/test-windows maps K: with a folder maps";
    RecordingStarter starter;
    ScriptedDialogs dialogs;
    app::Program program(
        {std::make_shared<platform::Win32FileSystem>(), lent<platform::ProgramStarter>(starter), dialogs});
    program.raise(Control::Form1, window::Event::Load, -1);
    EXPECT_EQ(program.lists.drive1().drive().text, L"k:");
    EXPECT_EQ(program.lists.dir1().path().native(), L"K:\\");
    EXPECT_TRUE(dialogs.reported.empty());
    SetCurrentDirectoryW(L"G:\\");
}

// The window's own close control is Exit.
TEST_F(WindowTest, ClosingTheWindowEndsTheMessageLoopAsExitDoes) {
    PostMessageW(form1.window(), WM_CLOSE, 0, 0);
    EXPECT_EQ(form1.run(), 0);
    EXPECT_EQ(form1.window(), nullptr);
}

TEST_F(WindowTest, ExitClosesTheWindowAndEndsTheMessageLoop) {
    send(Control::Command2, BM_CLICK);
    PostQuitMessage(7);  // ends the loop with 7 only if the window does not end it first
    EXPECT_EQ(form1.run(), 0);
    EXPECT_EQ(form1.window(), nullptr);
}

}  // namespace
