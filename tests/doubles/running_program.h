#pragma once

#include "recording_services.h"

#include "app/event_table.h"
#include "app/window_service.h"
#include "window/form_description.h"

#include <QAbstractButton>
#include <QListView>
#include <QTest>

// The whole program loaded on the given services, its failures recorded.
struct RunningProgram {
    RunningProgram(platform::FileSystem& fileSystem, platform::ProgramStarter& starter, platform::MessageBox& box)
        : services{fileSystem, starter, box}, loaded(window::form1, app::form1Events, services, report) {
        if (!loaded.form()) return;
        loaded.form()->activateWindow();
        (void)QTest::qWaitForWindowActive(loaded.form());
    }

    window::Form1& form() { return *loaded.form(); }
    browse::Lists& lists() { return form().lists(); }
    template <class Widget>
    Widget* control(const char* name) {
        return qobject_cast<Widget*>(form().control(name));
    }
    void click(const char* button) { QTest::mouseClick(control<QAbstractButton>(button), Qt::LeftButton); }

    // Clicks (or double-clicks) the row of a list view.
    void clickRow(const char* list, int row, bool twice = false) {
        auto* view = control<QListView>(list);
        const QModelIndex index = view->model()->index(row, 0);
        view->doItemsLayout();
        view->scrollTo(index);
        const QPoint at = view->visualRect(index).center();
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
        // A double click is a click, then the second press that the system reports as one.
        if (twice) QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, at);
    }

    RecordingReport report;
    actions::Services services;
    app::LoadedWindow loaded;
};
