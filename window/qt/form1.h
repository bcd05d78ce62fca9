#pragma once

#include "window/form_description.h"
#include "window/presenter.h"

#include <QPixmap>
#include <QWidget>
#include <map>

namespace window {

class DriveView;
class ListView;

// The program's one window, built from its description: the banner, the
// fonts, and each control at its place in tab order. It draws what the
// presenter decides and forwards the user's gestures to it.
class Form1 final : public QWidget, private ListsView {
public:
    Form1(const FormDescription& description, Presenter& presenter);
    ~Form1() override;

    QWidget* control(Control id) const { return controls_.at(id); }

protected:
    void paintEvent(QPaintEvent* event) override;
    // Gone from the screen, the window shows the presenter nothing more.
    void closeEvent(QCloseEvent* event) override;

private:
    QWidget* createControl(const ControlDescription& control, const FormDescription& description);
    void showWindow() override;
    void showDrives(const std::vector<std::string>& rows) override;
    void showRowCount(Control list, int count) override;
    void showSelection(Control list, int row) override;
    ListView* listView(Control list) const;

    Presenter& presenter_;
    std::map<Control, QWidget*> controls_;
    DriveView* drive1_ = nullptr;
    QMetaObject::Connection focusFollower_;
};

}  // namespace window
