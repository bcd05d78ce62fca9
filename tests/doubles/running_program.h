#pragma once

#include "open_down.h"
#include "recording_services.h"

#include "app/qt/qt_program.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QTest>

// The whole program with its window, loaded on the given services.
struct RunningProgram {
    using Control = window::Control;

    RunningProgram(std::shared_ptr<platform::FileSystem> fileSystem, platform::ProgramStarter& starter,
                   platform::Dialogs& dialogs)
        : running({std::move(fileSystem), lent(starter), dialogs}) {
        running.form.activateWindow();
        (void)QTest::qWaitForWindowActive(&running.form);
    }
    RunningProgram(platform::FileSystem& fileSystem, platform::ProgramStarter& starter, platform::Dialogs& dialogs)
        : RunningProgram(lent(fileSystem), starter, dialogs) {}

    window::Form1& form() { return running.form; }
    const browse::Lists& lists() const { return running.program.lists; }
    template <class Widget>
    Widget* control(Control id) {
        return qobject_cast<Widget*>(form().control(id));
    }
    void click(Control button) { QTest::mouseClick(control<QAbstractButton>(button), Qt::LeftButton); }

    // Clicks (or double-clicks) a row of a list view.
    void clickRow(Control list, int row, bool twice = false) {
        auto* view = control<QAbstractItemView>(list);
        const QModelIndex index = view->model()->index(row, 0);
        view->doItemsLayout();
        view->scrollTo(index);
        const QPoint at = view->visualRect(index).center();
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
        // A double click is a click, then the second press that the system reports as one.
        if (twice) QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, at);
    }
    // Opens `target` in Dir1 by double clicks, from the top entry down.
    void open(const platform::Path& target) {
        openDown(lists(), target,
                 [this](int index) { clickRow(Control::Dir1, running.presenter.rows().rowOf(index), true); });
    }
    // Selects the file of that name in File1 with a click.
    void select(const std::string& name) {
        for (int i = 0; i < lists().file1().listCount(); ++i)
            if (lists().file1().name(i) == platform::Path(name).native()) clickRow(Control::File1, i);
    }

    app::QtProgram running;
};
