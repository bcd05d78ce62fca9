#include "doubles/running_program.h"
#include "doubles/tree_lists.h"

#include "window/qt/fonts.h"
#include "window/layout.h"
#include "window/qt/list_views.h"

#include <QAccessible>
#include <QComboBox>
#include <QFontInfo>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <functional>
#include <gtest/gtest.h>

using window::Control;

namespace {

class WindowTest : public ::testing::Test, public TreeLists {
protected:
    WindowTest() { program.open(path("D/work")); }

    RecordingStarter starter;
    ScriptedDialogs dialogs;
    RunningProgram program{fs, starter, dialogs};
};

TEST_F(WindowTest, EveryControlSitsAtItsPlaceInPixels) {
    window::Form1& form = program.form();
    EXPECT_EQ(form.windowTitle(), "Quarvel 2.0");
    EXPECT_EQ(form.size(), QSize(342, 454));  // logical pixels, whatever the scale
    EXPECT_EQ(form.grab().size(), QSize(342, 454) * form.devicePixelRatio());
    for (const auto& control : window::form1.controls) {
        QWidget* widget = form.control(control.id);
        EXPECT_EQ(widget->geometry(),
                  QRect(control.left / 15, control.top / 15, control.width / 15, control.height / 15))
            << control.name;
        EXPECT_EQ(widget->objectName().toStdString(), control.name);
        EXPECT_TRUE(widget->isVisible() && widget->isEnabled()) << control.name;
    }
    EXPECT_EQ(form.control(Control::Label1)->geometry().bottom() + 1 - form.height(), 3);  // cut off below
    EXPECT_EQ(qobject_cast<QLabel*>(form.control(Control::Label1))->text(), "*Greetings from Zobrel and Kaspiet*");
    // Comic Sans MS where the machine has it, else the face that stands in.
    const QString face = QFontInfo(form.font()).family();
    EXPECT_TRUE(face == "Comic Sans MS" || face == "Comic Neue") << face.toStdString();
    // Each control in its role's font: the buttons' and Drive1's bold, the
    // others regular; a button's never larger than its role's size.
    for (const auto& control : window::form1.controls) {
        const auto& role =
            control.font == window::FontRole::Button ? window::form1.buttonFont : window::form1.windowFont;
        const QFont font = form.control(control.id)->font();
        EXPECT_EQ(font.weight(), role.weight) << control.name;
        EXPECT_EQ(font.family(), "Comic Sans MS") << control.name;
        if (control.kind == window::ControlClass::CommandButton) {
            EXPECT_LE(font.pointSizeF(), role.pointSize) << control.name;
        } else {
            EXPECT_EQ(font.pointSizeF(), role.pointSize) << control.name;
        }
    }
    EXPECT_EQ(form.palette().color(QPalette::Window), QColor(1, 0, 66)) << "the window's own dark blue";

    // The banner pixel for pixel: at twice the scale from the 2x image, sharp.
    const bool twice = form.devicePixelRatio() > 1;
    const QImage banner = QImage(twice ? ":/banner@2x.png" : ":/banner.png").convertToFormat(QImage::Format_RGB32);
    const QImage shown = form.grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QRect area(0, 0, shown.width(), banner.height());  // the banner's last column is cut off
    EXPECT_EQ(shown.copy(area), banner.copy(area)) << (twice ? "2x" : "1x");
}

// Whatever face stands in for Comic Sans MS, every caption shows whole.
TEST_F(WindowTest, CaptionsShowWholeWithAWideFace) {
    const QStringList standIns = QFont::substitutes("Comic Sans MS");
    for (const char* face : {"Comic Neue", "DejaVu Sans"}) {
        QFont::removeSubstitutions("Comic Sans MS");
        QFont::insertSubstitution("Comic Sans MS", face);
        app::QtProgram wide({sharedFs, lent<platform::ProgramStarter>(starter), dialogs});
        for (const auto& control : window::form1.controls) {
            auto* button = qobject_cast<QPushButton*>(wide.form.control(control.id));
            if (!button) continue;
            EXPECT_LE(QFontMetricsF(button->font()).horizontalAdvance(button->text()), window::captionWidth(*button))
                << face << ": " << control.name;
            if (std::string_view(face) == "Comic Neue") {
                EXPECT_EQ(button->font().pointSizeF(), 9.75) << control.name;  // it fits as it is
            }
        }
    }
    QFont::removeSubstitutions("Comic Sans MS");
    QFont::insertSubstitutions("Comic Sans MS", standIns);
}

TEST_F(WindowTest, TabVisitsTheControlsInOrderAndReturnPressesTheFocusedButton) {
    program.control<QWidget>(Control::Drive1)->setFocus();
    const std::vector<std::string> order = {"Command1", "Command2", "File1",    "Dir1",  "Command6",
                                            "Command7", "Command3", "Command4", "Drive1"};
    for (const auto& name : order) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        ASSERT_NE(QApplication::focusWidget(), nullptr);
        EXPECT_EQ(QApplication::focusWidget()->objectName().toStdString(), name);
    }
    QTest::keyClick(program.control<QWidget>(Control::Command1), Qt::Key_Return);
    QTest::keyClick(program.control<QWidget>(Control::Command6), Qt::Key_Enter, Qt::KeypadModifier);
    ASSERT_EQ(starter.started.size(), 2u);
    EXPECT_EQ(starter.started[0].verb, "compress");
}

TEST_F(WindowTest, EachButtonStartsItsCommand) {
    program.clickRow(Control::Dir1, 2);  // maps, highlighted only
    program.select("w.pkg");
    for (Control button : {Control::Command1, Control::Command6, Control::Command7}) program.click(button);
    const auto work = path("D/work").native();
    const std::vector<platform::ToolCommand> expected = {{"ucc", "compress", work + "/maps/*"},
                                                         {"ucc", "compress", work + "/w.pkg"},
                                                         {"ucc", "decompress", work + "/w.pkg"}};
    EXPECT_EQ(starter.started, expected);
}

TEST_F(WindowTest, Dir1AlwaysShowsTheEntryCompressFolderTakes) {
    auto* dir1 = program.control<QAbstractItemView>(Control::Dir1);
    const auto shown = [&] {
        const QModelIndexList rows = dir1->selectionModel()->selectedRows();
        return rows.size() == 1
                   ? program.lists().dir1().list(program.running.presenter.rows().indexOfRow(rows[0].row()))
                   : platform::Path();
    };
    // Rows: D/, D/work (open), maps, old.
    program.clickRow(Control::Dir1, 2);
    const QPoint below(20, dir1->viewport()->height() - 3),
        onMaps = dir1->visualRect(dir1->model()->index(2, 0)).center();
    const std::vector<std::function<void()>> attempts = {
        [&] { QTest::mouseClick(dir1->viewport(), Qt::LeftButton, {}, below); },
        [&] { QTest::mouseClick(dir1->viewport(), Qt::LeftButton, Qt::ControlModifier, onMaps); },
        [&] { QTest::keyClick(dir1, Qt::Key_Space, Qt::ControlModifier); },
    };
    for (const auto& attempt : attempts) {
        attempt();
        EXPECT_EQ(shown(), path("D/work/maps"));
        EXPECT_EQ(program.lists().dir1().list(program.lists().dir1().listIndex()), path("D/work/maps"));
    }
    QTest::keyClick(dir1, Qt::Key_Down);
    EXPECT_EQ(shown(), path("D/work/old"));
    EXPECT_EQ(program.lists().dir1().path(), path("D/work"));
    program.click(Control::Command1);
    ASSERT_EQ(starter.started.size(), 1u);
    EXPECT_EQ(starter.started[0].operand, path("D/work/old").native() + "/*");

    QTest::keyClick(dir1, Qt::Key_Return);  // opens the highlighted entry
    EXPECT_EQ(program.lists().dir1().path(), path("D/work/old"));
    EXPECT_EQ(shown(), path("D/work/old"));
    EXPECT_TRUE(dialogs.reported.empty());
}

TEST_F(WindowTest, File1UsesTheRowShownSelectedOrNone) {
    auto* file1 = program.control<QAbstractItemView>(Control::File1);
    program.clickRow(Control::File1, 0, true);  // a double click only selects
    EXPECT_EQ(program.lists().file1().fileName(), "w.pkg");
    EXPECT_TRUE(starter.started.empty());
    QTest::mouseClick(file1->viewport(), Qt::LeftButton, {}, QPoint(20, file1->viewport()->height() - 3));
    EXPECT_TRUE(file1->selectionModel()->selectedRows().isEmpty());
    program.click(Control::Command6);
    ASSERT_EQ(starter.started.size(), 1u);
    EXPECT_EQ(starter.started[0].operand, path("D/work").native() + "/") << "no file is guessed";
}

// Typing a name's first letters selects it, as on Windows.
TEST_F(WindowTest, TypingInAListFindsTheRow) {
    tree.file("D/work/real.pkg");
    program.click(Control::Command3);
    auto* file1 = program.control<QAbstractItemView>(Control::File1);
    QTest::keyClicks(file1, "R");
    EXPECT_EQ(program.lists().file1().fileName(), "real.pkg");
    EXPECT_EQ(file1->selectionModel()->selectedRows().value(0).row(), program.lists().file1().listIndex());
}

TEST_F(WindowTest, APatternInANameStartsNothingAndSaysWhy) {
    tree.file("D/work/*");
    program.click(Control::Command3);
    program.select("*");
    program.click(Control::Command6);
    ASSERT_EQ(dialogs.reported.size(), 1u);
    EXPECT_NE(dialogs.reported[0].find("pattern"), std::string::npos);
    EXPECT_TRUE(starter.started.empty());
}

TEST_F(WindowTest, DeepNamesCanBeScrolledIntoView) {
    std::string deep = "D";
    for (int level = 0; level < 12; ++level) deep += "/level" + std::to_string(level);
    tree.directory(deep + "/a folder name long enough to need scrolling");
    program.open(path(deep));
    auto* dir1 = program.control<QAbstractItemView>(Control::Dir1);
    dir1->doItemsLayout();
    const int lastRow = dir1->model()->rowCount() - 1;
    const QString name = dir1->model()->index(lastRow, 0).data().toString();
    const int needed = window::dirIndentPixels * program.running.presenter.rows().indent(Control::Dir1, lastRow) +
                       QFontMetrics(dir1->font()).horizontalAdvance(name);
    EXPECT_GE(dir1->horizontalScrollBar()->maximum() + dir1->viewport()->width(), needed);
    // The open folder in view, as many of its ancestors above it as fit.
    const int open = program.running.presenter.rows().rowOf(-1);
    const auto wholeInView = [&](int row) {
        const QRect rect = dir1->visualRect(dir1->model()->index(row, 0));
        return rect.top() >= 0 && rect.bottom() < dir1->viewport()->height();
    };
    EXPECT_TRUE(wholeInView(open));
    EXPECT_FALSE(wholeInView(open + 1)) << "ancestors above it, not subfolders below";
    EXPECT_GT(dir1->indexAt(QPoint(2, 2)).row(), 0) << "too deep for all its ancestors";
}

// What a screen reader is told: the window a frame named by its title, the
// drive box "Drive" with the drive beside, the label by its text, folder
// rows by level and state, and the focus in one list only.
TEST_F(WindowTest, AScreenReaderHearsNamesLevelsAndOneFocus) {
    window::Form1& form = program.form();
    const auto accessible = [&](Control id) { return QAccessible::queryAccessibleInterface(form.control(id)); };
    QAccessibleInterface* frame = QAccessible::queryAccessibleInterface(&form);
    EXPECT_EQ(frame->role(), QAccessible::Window);
    EXPECT_EQ(frame->text(QAccessible::Name), "Quarvel 2.0");
    EXPECT_EQ(accessible(Control::Drive1)->text(QAccessible::Name), "Drive");
    EXPECT_EQ(accessible(Control::Drive1)->text(QAccessible::Description), "D");
    QAccessibleInterface* label = accessible(Control::Label1);
    EXPECT_EQ(label->text(QAccessible::Name), "*Greetings from Zobrel and Kaspiet*");
    ASSERT_TRUE(label->textInterface());
    EXPECT_EQ(label->textInterface()->text(0, 10), "*Greetings");
    QAccessibleInterface* dir1 = accessible(Control::Dir1);
    ASSERT_EQ(dir1->childCount(), 4) << "D/, D/work (open), maps, old";
    EXPECT_EQ(dir1->child(0)->text(QAccessible::Description), "open folder, level 1");
    EXPECT_EQ(dir1->child(1)->text(QAccessible::Description), "open folder, level 2");
    EXPECT_EQ(dir1->child(2)->text(QAccessible::Name), "maps");
    EXPECT_EQ(dir1->child(2)->text(QAccessible::Description), "folder, level 3");
    program.select("w.pkg");
    form.control(Control::Dir1)->setFocus();
    int focused = 0;
    for (Control list : {Control::Dir1, Control::File1})
        for (int row = 0; row < accessible(list)->childCount(); ++row)
            focused += accessible(list)->child(row)->state().focused;
    EXPECT_EQ(focused, 1) << "the current row of the list with the keyboard only";
    EXPECT_TRUE(dir1->child(1)->state().focused);
}

// The list with the keyboard shows it: a frame on its current row, or
// around it when it has none, and its selection in full.
TEST_F(WindowTest, TheListWithTheKeyboardShowsAFocusMark) {
    program.select("w.pkg");
    for (Control list : {Control::Drive1, Control::Dir1, Control::File1}) {
        QWidget* view = program.form().control(list);
        program.form().control(Control::Command1)->setFocus();
        const QImage without = view->grab().toImage();
        view->setFocus();
        EXPECT_NE(view->grab().toImage(), without) << view->objectName().toStdString();
    }
    tree.directory("D/work/empty");
    program.open(path("D/work/empty"));
    QWidget* empty = program.form().control(Control::File1);
    program.form().control(Control::Command1)->setFocus();
    const QImage without = empty->grab().toImage();
    empty->setFocus();
    EXPECT_NE(empty->grab().toImage(), without) << "a frame round a list with no rows";
}

TEST_F(WindowTest, Drive1PicksWithKeysAndRetriesAFailedDrive) {
    auto* drives = program.control<QComboBox>(Control::Drive1);
    ASSERT_EQ(drives->count(), 3);
    std::filesystem::rename(path("E"), path("E.away"));
    QTest::keyClick(drives, Qt::Key_Down);
    EXPECT_EQ(dialogs.reported.size(), 1u);
    EXPECT_EQ(drives->currentIndex(), 1);
    EXPECT_EQ(program.lists().dir1().path(), path("D/work"));

    std::filesystem::rename(path("E.away"), path("E"));
    emit drives->activated(1);  // the same drive picked again from the list
    EXPECT_EQ(program.lists().dir1().path(), root("E"));
    QTest::keyClick(drives, Qt::Key_Up);
    EXPECT_EQ(program.lists().dir1().path(), path("D/work/maps"));
    EXPECT_EQ(dialogs.reported.size(), 1u);
}

}  // namespace
