#pragma once

#include "browse/lists.h"
#include "window/controls.h"
#include "window/form_description.h"

#include <QPixmap>
#include <QWidget>
#include <map>

namespace window {

class DriveView;
class DirView;
class FileView;

// The program's one window, built from its description: the banner, the
// fonts, and each control at its place in tab order. It shows the lists and
// hands whatever the user does to `input`, then shows the lists again.
class Form1 final : public QWidget {
public:
    Form1(const FormDescription& description, const browse::Lists& lists, UserInput& input);

    QWidget* control(Control id) const { return controls_.at(id); }
    // Hands an event to the program, then shows what it left.
    void raise(Control control, Event event, int row);
    // Shows the three lists as they are now.
    void showLists();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QWidget* createControl(const ControlDescription& control, const FormDescription& description);

    const browse::Lists& lists_;
    UserInput& input_;
    std::map<Control, QWidget*> controls_;
    DriveView* drive1_ = nullptr;
    DirView* dir1_ = nullptr;
    FileView* file1_ = nullptr;
    QPixmap banner_;
};

}  // namespace window
