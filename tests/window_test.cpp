#include "doubles/memory_file_system.h"
#include "doubles/running_program.h"

#include "browse/dir_list.h"
#include "browse/drive_list.h"
#include "browse/file_list.h"

#include <QComboBox>
#include <QFontInfo>
#include <QLabel>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

MemoryFileSystem workTree() {
    MemoryFileSystem fs("D:\\work");
    fs.addFile("D:\\work\\a.pkg");
    fs.addFile("D:\\work\\b.pkg");
    fs.addDirectory("D:\\work\\maps");
    fs.addDirectory("D:\\work\\old");
    fs.addFile("E:\\e.txt");
    return fs;
}

class WindowTest : public ::testing::Test {
protected:
    WindowTest() {
        program.form().activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&program.form()));
        program.lists().dir1.setPath("D:\\work");
    }

    MemoryFileSystem fs = workTree();
    RecordingStarter starter;
    ScriptedMessageBox box;
    RunningProgram program{fs, starter, box};
};

TEST_F(WindowTest, EveryControlSitsAtItsPlaceInPixels) {
    window::Form1& form = program.form();
    const qreal scale = form.devicePixelRatio();
    EXPECT_EQ(form.windowTitle(), "Quarvel 2.0");
    EXPECT_EQ(form.size(), QSize(342, 454));  // logical pixels, whatever the scale
    EXPECT_EQ(form.grab().size(), QSize(342, 454) * scale);
    EXPECT_EQ(form.logicalDpiX(), 96);

    for (const auto& control : window::form1.controls) {
        QWidget* widget = form.control(control.name);
        ASSERT_NE(widget, nullptr) << control.name;
        EXPECT_EQ(widget->geometry(), QRect(control.left / 15, control.top / 15, control.width / 15, control.height / 15))
            << control.name;
        EXPECT_TRUE(widget->isVisible() && widget->isEnabled()) << control.name;
        EXPECT_FALSE(widget->accessibleName().isEmpty()) << control.name;
    }
    // The label's lower edge runs 3 pixels past the client area.
    EXPECT_EQ(form.control("Label1")->geometry().bottom() + 1 - form.height(), 3);
}

TEST_F(WindowTest, CaptionsAndFontsAreAsDescribed) {
    struct Expect { const char* name; const char* caption; double points; int weight; };
    const std::vector<Expect> expected = {
        {"Drive1", nullptr, 9.75, 700},
        {"Command1", "Compress Folder", 9.75, 700},
        {"Command2", "Exit", 9.75, 700},
        {"Label1", "*Greetings from Zobrel and Kaspiet*", 8.25, 400},
        {"File1", nullptr, 8.25, 400},
        {"Dir1", nullptr, 8.25, 400},
        {"Command6", "Compress File", 9.75, 700},
        {"Command7", "Decompress File", 9.75, 700},
        {"Command3", "Refresh List", 9.75, 700},
        {"Command4", "Delete File", 9.75, 700},
    };
    for (const Expect& e : expected) {
        QWidget* widget = program.form().control(e.name);
        EXPECT_EQ(widget->font().family(), "Comic Sans MS") << e.name;
        EXPECT_DOUBLE_EQ(widget->font().pointSizeF(), e.points) << e.name;
        EXPECT_EQ(widget->font().weight(), e.weight) << e.name;
        EXPECT_FALSE(widget->font().italic() || widget->font().underline() || widget->font().strikeOut());
        if (auto* button = qobject_cast<QPushButton*>(widget)) {
            EXPECT_EQ(button->text(), e.caption);
            EXPECT_FALSE(button->isDefault() || button->autoDefault()) << e.name;
        }
        if (auto* label = qobject_cast<QLabel*>(widget)) {
            EXPECT_EQ(label->text(), e.caption);
        }
    }
    EXPECT_EQ(QFontInfo(program.form().font()).family(), "Comic Neue");
}

TEST_F(WindowTest, TabVisitsTheControlsInOrderAndSkipsTheLabel) {
    EXPECT_EQ(QApplication::focusWidget(), program.form().control("Drive1"));
    const std::vector<std::string> order = {"Command1", "Command2", "File1", "Dir1", "Command6",
                                            "Command7", "Command3", "Command4", "Drive1"};
    for (const auto& name : order) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        ASSERT_NE(QApplication::focusWidget(), nullptr);
        EXPECT_EQ(QApplication::focusWidget()->objectName().toStdString(), name);
    }
}

TEST_F(WindowTest, DirectoryListHighlightsOnClickAndKeysAndOpensOnDoubleClickOrReturn) {
    browse::DirList& dir1 = program.lists().dir1;
    int changes = 0;
    dir1.change.subscribe([&] { ++changes; });
    // Rows: D:\, D:\work (open), maps, old.
    program.clickRow("Dir1", 2);
    EXPECT_EQ(dir1.listIndex(), 0);
    EXPECT_EQ(dir1.path(), "D:\\work");
    QTest::keyClick(program.control<QListView>("Dir1"), Qt::Key_Down);
    EXPECT_EQ(dir1.list(dir1.listIndex()), "D:\\work\\old");
    QTest::keyClick(program.control<QListView>("Dir1"), Qt::Key_Up);
    QTest::keyClick(program.control<QListView>("Dir1"), Qt::Key_Up);
    EXPECT_EQ(dir1.listIndex(), -1);
    EXPECT_EQ(changes, 0);

    program.clickRow("Dir1", 2, true);
    EXPECT_EQ(dir1.path(), "D:\\work\\maps");
    EXPECT_EQ(program.lists().file1.path(), "D:\\work\\maps");
    EXPECT_EQ(dir1.listIndex(), -1);
    EXPECT_EQ(program.control<QListView>("Dir1")->currentIndex().row(), 2);  // the open directory, highlighted

    program.clickRow("Dir1", 0);
    QTest::keyClick(program.control<QListView>("Dir1"), Qt::Key_Return);
    EXPECT_EQ(dir1.path(), "D:\\");
    EXPECT_EQ(changes, 2);
    EXPECT_TRUE(program.report.reported.empty());
}

TEST_F(WindowTest, FileListSelectsOneFileAndDriveListFollowsKeys) {
    browse::FileList& file1 = program.lists().file1;
    program.clickRow("File1", 1);
    EXPECT_EQ(file1.fileName(), "b.pkg");
    program.clickRow("File1", 0, true);  // a double click only selects
    EXPECT_EQ(file1.fileName(), "a.pkg");
    EXPECT_TRUE(starter.started.empty());

    auto* drives = program.control<QComboBox>("Drive1");
    ASSERT_EQ(drives->count(), 2);
    int changes = 0;
    program.lists().drive1.change.subscribe([&] { ++changes; });
    QTest::keyClick(drives, Qt::Key_Down);
    EXPECT_EQ(program.lists().drive1.drive(), "E:");
    EXPECT_EQ(program.lists().dir1.path(), "E:\\");
    EXPECT_EQ(file1.path(), "E:\\");
    EXPECT_EQ(file1.fileName(), "");
    QTest::keyClick(drives, Qt::Key_Up);
    EXPECT_EQ(program.lists().dir1.path(), "D:\\work");
    EXPECT_EQ(changes, 2);
}

}  // namespace
