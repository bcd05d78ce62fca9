#pragma once

#include "presenter.h"

#include "platform/dialogs.h"

namespace window {

// The boxes, each shown only once the window shows what the lists hold: a
// question or a report that comes in the middle of an event has the lists
// drawn as they stand beneath it, never half told.
class ShownBeforeBoxes final : public platform::Dialogs {
public:
    explicit ShownBeforeBoxes(platform::Dialogs& boxes) : boxes_(boxes) {}
    void setPresenter(Presenter* presenter) { presenter_ = presenter; }

    bool confirm(const std::string& text, const std::string& detail) override {
        if (presenter_) presenter_->showChangesNow();
        return boxes_.confirm(text, detail);
    }
    void report(const std::string& description, const std::string& subject) override {
        if (presenter_) presenter_->showChangesNow();
        boxes_.report(description, subject);
    }

private:
    platform::Dialogs& boxes_;
    Presenter* presenter_ = nullptr;
};

}  // namespace window
