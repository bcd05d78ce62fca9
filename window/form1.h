#pragma once

#include "form_description.h"
#include "guard.h"

#include "browse/dir_list.h"
#include "browse/drive_list.h"
#include "browse/file_list.h"
#include "browse/list_coupling.h"

#include <QPixmap>
#include <QWidget>
#include <map>
#include <string>
#include <string_view>

namespace window {

// The program's one window, built from its description: the banner, the
// fonts, and each control at its place in tab order. It owns the three lists
// and shows them; what the buttons do is wired from outside.
class Form1 final : public QWidget {
public:
    Form1(const FormDescription& description, const platform::FileSystem& fileSystem, Guard guard);
    ~Form1() override;

    // The control of that name, or nullptr.
    QWidget* control(std::string_view name) const;
    browse::Lists& lists() { return lists_; }
    // The Change event of the list of that name, or nullptr.
    browse::Notifier* changeEvent(std::string_view name);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QWidget* createControl(const ControlDescription& control, const Guard& guard);

    browse::ListingHandOff handOff_;
    browse::DriveList drive1_;
    browse::DirList dir1_;
    browse::FileList file1_;
    browse::Lists lists_{drive1_, dir1_, file1_};
    std::map<std::string, QWidget*, std::less<>> controls_;
    QPixmap banner_;
};

}  // namespace window
