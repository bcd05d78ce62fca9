#pragma once

#include "app/qt/qt_program.h"
#include "platform/processors.h"
#include "platform/linux/linux_file_system.h"

#include <QCoreApplication>
#include <cstdio>
#include <stdexcept>

// What the benchmark needs of the system besides the file system: nothing.
struct Quiet final : platform::ProgramStarter, platform::Dialogs {
    void start(const platform::ToolCommand&, platform::Checkpoints&) override {}
    bool confirm(const std::string&, const std::string&) override { return false; }
    void report(const std::string& description, const std::string& subject) override {
        std::fprintf(stderr, "failure: %s %s\n", description.c_str(), subject.c_str());
    }
};

// The program on the real file system, as a user runs it, started in the
// working directory.
struct BenchProgram {
    std::shared_ptr<Quiet> quiet = std::make_shared<Quiet>();
    app::QtProgram running{{std::make_shared<platform::LinuxFileSystem>(), quiet, *quiet}};

    const browse::DirList& dir1() const { return running.program.lists.dir1(); }
    void raise(window::Control control, window::Event event, int item) {
        running.presenter.raise(control, event, item);
    }
    // Opens the subdirectory of the open one whose path is `target`.
    void openSubdirectory(const std::string& target) {
        for (int index = 0; index < dir1().listCount(); ++index)
            if (dir1().list(index).native() == target)
                return raise(window::Control::Dir1, window::Event::Change, index);
        throw std::runtime_error("no subdirectory " + target + " in " + dir1().path().native());
    }
    // Opens `target` as a user would, from the top entry down.
    void open(const std::string& target) {
        raise(window::Control::Dir1, window::Event::Change, dir1().firstIndex());
        while (dir1().path() != target) {
            int index = 0;
            while (index < dir1().listCount() && !(target + '/').starts_with(dir1().list(index).native() + '/'))
                ++index;
            if (index == dir1().listCount()) throw std::runtime_error("cannot open " + target);
            raise(window::Control::Dir1, window::Event::Change, index);
        }
    }
};

// Paints what an action marked as changed, as the window's loop next would.
inline void paintChanges() { QCoreApplication::processEvents(); }

// Paints the whole window now, as its first showing does.
inline void paintWhole(QWidget& widget) {
    QCoreApplication::processEvents();  // delayed layouts, update requests
    widget.repaint();
}
