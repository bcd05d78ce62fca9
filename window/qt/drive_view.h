#pragma once

#include "window/presenter.h"

#include <QComboBox>

namespace window {

// Drive1 on screen: a drop-down of the drives. Every pick goes to the
// presenter, the drive shown picked again too; opening the list tells it
// first, so the list shows the drives there are now.
class DriveView final : public QComboBox {
public:
    DriveView(Presenter& presenter, QWidget* parent);
    void showRows(const std::vector<std::string>& rows);
    void showSelected(int row);
    void showPopup() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    Presenter& presenter_;
};

}  // namespace window
