#include "doubles/named_rows.h"
#include "doubles/tree_lists.h"

#include "app/program.h"
#include "window/layout.h"
#include "window/presenter.h"
#include "window/type_ahead.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

using window::Control;
using window::Event;

// Type-ahead over the rows below: each key is typed `afterMs` after the one before.
struct TypeAheadCase {
    std::string name;
    int current;
    std::vector<std::pair<std::string, std::uint64_t>> keys;  // (text, after ms)
    int expected;                                             // -1: no row matches
};

const std::vector<std::string> rows = {"Alpha.txt", "real.pkg", "README", "rest", "Ärger", "zeta", "rr.txt"};

class TypeAheadTest : public ::testing::TestWithParam<TypeAheadCase> {};

TEST_P(TypeAheadTest, FindsTheRowAsTheSystemsListsDo) {
    const TypeAheadCase& c = GetParam();
    window::TypeAhead typeAhead;
    std::optional<int> found;
    std::uint64_t time = 5000;
    int current = c.current;
    for (const auto& [text, after] : c.keys) {
        time += after;
        found = typeAhead.type(text, time, current, static_cast<int>(rows.size()),
                               [](int row) { return rows[static_cast<size_t>(row)]; });
        if (found) current = *found;
    }
    EXPECT_EQ(found.value_or(-1), c.expected);
}

const TypeAheadCase typeAheadTestRows[] = {
    TypeAheadCase{"FirstLetterFindsTheNextRowItStarts", -1, {{"r", 0}}, 1},
    TypeAheadCase{"CaseDoesNotMatter", -1, {{"R", 0}, {"E", 10}, {"A", 10}}, 1},
    TypeAheadCase{"ALongerPrefixReachesFurther", -1, {{"r", 0}, {"e", 10}, {"s", 10}}, 3},
    TypeAheadCase{"ALongerPrefixStaysOnTheCurrentRowWhileItFits", 1, {{"r", 0}, {"e", 10}}, 2},
    TypeAheadCase{"TheSameLetterAgainStepsThroughItsRows", -1, {{"r", 0}, {"r", 10}, {"r", 10}}, 3},
    TypeAheadCase{"SteppingWrapsRound", 6, {{"r", 0}}, 1},
    TypeAheadCase{"APauseStartsANewPrefix", -1, {{"r", 0}, {"z", window::TypeAhead::pauseMs + 1}}, 5},
    TypeAheadCase{"WithoutAPauseTheLettersMakeOnePrefix", -1, {{"r", 0}, {"z", 10}}, -1},
    TypeAheadCase{"LettersBeyondAsciiFoldToo", -1, {{"ä", 0}}, 4},
    TypeAheadCase{"NoRowMatches", 2, {{"q", 0}}, -1},
};
INSTANTIATE_TEST_SUITE_P(Rows, TypeAheadTest, ::testing::ValuesIn(typeAheadTestRows), rowName);

// What the presenter tells a window, call by call.
struct RecordingView final : window::ListsView {
    void showWindow() override { calls.push_back("window"); }
    void showDrives(const std::vector<std::string>& rows) override {
        calls.push_back("drives " + std::to_string(rows.size()));
    }
    void showRowCount(Control list, int count) override {
        calls.push_back(name(list) + " rows " + std::to_string(count));
    }
    void showSelection(Control list, int row) override {
        calls.push_back(name(list) + " select " + std::to_string(row));
    }
    static std::string name(Control list) {
        return list == Control::Drive1 ? "Drive1" : list == Control::Dir1 ? "Dir1" : "File1";
    }
    std::vector<std::string> take() { return std::exchange(calls, {}); }
    std::vector<std::string> calls;
};

// The whole program on a tree of drives, shown through the presenter.
class PresenterTest : public ::testing::Test, public TreeLists {
protected:
    void SetUp() override {
        presenter.attach(&view);
        presenter.start();
    }
    // Notes each event on its way to the program.
    struct Recorder final : window::UserInput {
        explicit Recorder(window::UserInput& program) : program(program) {}
        void raise(Control control, Event event, int row) override {
            seen.push_back({control, event, row});
            if (during) std::exchange(during, nullptr)();
            program.raise(control, event, row);
        }
        window::UserInput& program;
        std::vector<std::tuple<Control, Event, int>> seen;
        std::function<void()> during;  // runs inside the next event, as a box's message loop would
    };

    RecordingStarter starter;
    app::Program program{{sharedFs, lent<platform::ProgramStarter>(starter), dialogs}};
    Recorder recorder{program};
    window::Presenter presenter{program.lists, recorder};
    RecordingView view;
};

TEST_F(PresenterTest, AWindowIsToldOnlyWhatChanged) {
    EXPECT_EQ(view.take(), (std::vector<std::string>{"drives 3", "Drive1 select 0", "Dir1 rows 2", "Dir1 select 0",
                                                     "File1 rows 1", "File1 select -1", "window"}));
    struct Step {
        std::string name;
        std::function<void()> gesture;
        std::vector<std::string> told;
    };
    const std::vector<Step> steps = {
        {"the user's own selection is not shown back", [&] { presenter.selectFile(0); }, {}},
        {"a highlight changes nothing else", [&] { presenter.highlightDirectory(1); }, {}},
        {"Dir1's highlight cannot be taken away", [&] { presenter.highlightDirectory(-1); }, {"Dir1 select 1"}},
        {"a re-read keeps the selection",
         [&] { presenter.click(Control::Command3); },
         {"File1 rows 1", "File1 select 0"}},
        {"Return opens the highlighted folder",
         [&] { presenter.key(Control::Dir1, window::Key::Return, "", {}, 0); },
         {"Dir1 rows 4", "Dir1 select 1", "File1 rows 1", "File1 select -1"}},
        {"a button that changes no list tells nothing", [&] { presenter.click(Control::Command1); }, {}},
    };
    for (const Step& step : steps) {
        step.gesture();
        EXPECT_EQ(view.take(), step.told) << step.name;
    }
    EXPECT_EQ(program.lists.dir1().path(), path("D/work"));
}

TEST_F(PresenterTest, EveryDrivePickRaisesChangeTheShownDriveToo) {
    const int shown = program.lists.drive1().listIndex();
    const auto& drives = program.lists.drive1().drives();
    const auto e = std::find_if(drives.begin(), drives.end(),
                                [](const auto& d) { return d.text == platform::Path("E").native(); });
    for (int pick : {shown, shown, static_cast<int>(e - drives.begin())}) presenter.pickDrive(pick);
    const std::tuple<Control, Event, int> change(Control::Drive1, Event::Change, shown);
    EXPECT_EQ(std::count(recorder.seen.begin(), recorder.seen.end(), change), 2);
    EXPECT_EQ(program.lists.dir1().path(), root("E"));
}

TEST_F(PresenterTest, AnEventRaisedWhileOneRunsWaitsForItThenRuns) {
    recorder.seen.clear();
    recorder.during = [&] { presenter.selectFile(0); };  // a click that got through while a box was up
    presenter.click(Control::Command3);
    EXPECT_EQ(recorder.seen, (std::vector<std::tuple<Control, Event, int>>{{Control::Command3, Event::Click, -1},
                                                                           {Control::File1, Event::Select, 0}}));
    EXPECT_EQ(program.lists.file1().listIndex(), 0);

    // Once the window is gone (Exit), what waited is dropped.
    recorder.seen.clear();
    recorder.during = [&] {
        presenter.selectFile(-1);
        presenter.attach(nullptr);
    };
    presenter.click(Control::Command3);
    EXPECT_EQ(recorder.seen.size(), 1u);
}

// However often the drives change while an event runs, they are read once after it.
TEST_F(PresenterTest, ABurstOfDriveChangesDuringAnEventIsReadOnceAfterIt) {
    recorder.seen.clear();
    recorder.during = [&] {
        for (int change = 0; change < 3000; ++change) presenter.drivesChanged();
        presenter.dropDown();
    };
    presenter.click(Control::Command3);
    EXPECT_EQ(recorder.seen, (std::vector<std::tuple<Control, Event, int>>{
                                 {Control::Command3, Event::Click, -1}, {Control::Drive1, Event::DrivesChanged, -1}}));
}

TEST_F(PresenterTest, TypingSelectsAFileAndHighlightsAFolder) {
    presenter.key(Control::Dir1, window::Key::Other, "W", {}, 100);
    EXPECT_EQ(program.lists.dir1().listIndex(), 0) << "work";
    presenter.focus(Control::File1);
    presenter.key(Control::File1, window::Key::Other, "t", {}, 100);
    EXPECT_EQ(program.lists.file1().fileName(), platform::Path("top.txt").native());
    EXPECT_EQ(view.take().back(), "File1 select 0");
}

// Letters typed in a list that has since changed its rows start a new prefix.
TEST_F(PresenterTest, TypeAheadStartsAfreshWhenTheRowsChange) {
    tree.directory("D/work/newcomer/wo");
    tree.directory("D/work/newcomer/nework");
    presenter.key(Control::Dir1, window::Key::Other, "w", {}, 100);  // work
    presenter.key(Control::Dir1, window::Key::Return, "", {}, 150);
    presenter.key(Control::Dir1, window::Key::Other, "n", {}, 200);
    presenter.key(Control::Dir1, window::Key::Other, "e", {}, 250);
    presenter.key(Control::Dir1, window::Key::Return, "", {}, 300);  // newcomer
    presenter.key(Control::Dir1, window::Key::Other, "w", {}, 500);
    presenter.key(Control::Dir1, window::Key::Other, "o", {}, 550);
    EXPECT_EQ(program.lists.dir1().path(), path("D/work/newcomer"));
    EXPECT_EQ(program.lists.dir1().list(program.lists.dir1().listIndex()), path("D/work/newcomer/wo"));
}

TEST(Layout, TabOrderCaptionsAndBanner) {
    const std::vector<Control> order = window::tabOrder(window::form1);
    EXPECT_EQ(order.size(), 9u) << "every control but the label";
    EXPECT_EQ(order.front(), Control::Drive1);
    EXPECT_EQ(order.back(), Control::Command4);

    const auto width = [](double pointSize) { return pointSize * 10; };
    EXPECT_EQ(window::fittedPointSize(9.75, 100, width), 9.75) << "fits as it is";
    EXPECT_EQ(window::fittedPointSize(9.75, 80, width), 8.0) << "a quarter point at a time";
    EXPECT_EQ(window::fittedPointSize(9.75, 1, width), 4.0) << "never below 4 pt";

    struct Case {
        double scale;
        bool twice;
        int width, height;
    };
    for (const Case& c : {Case{1, false, 343, 82}, Case{1.5, true, 515, 123}, Case{2, true, 686, 164}}) {
        const window::BannerDrawing banner = window::bannerAt(c.scale);
        EXPECT_EQ(std::tuple(banner.twiceImage, banner.width, banner.height), std::tuple(c.twice, c.width, c.height))
            << c.scale;
    }
}

}  // namespace
