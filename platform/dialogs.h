#pragma once

#include <string>

namespace platform {

class PlatformFailure;

enum class ButtonSet { YesNo = 4 };
enum class Answer { Yes = 6, No = 7 };

// A modal question; every answer but Yes counts as No.
class MessageBox {
public:
    virtual ~MessageBox() = default;
    virtual Answer ask(const std::string& text, ButtonSet buttons) = 0;
};

// Where failures that ended an event handler are shown to the user.
class FailureReport {
public:
    virtual ~FailureReport() = default;
    virtual void report(const PlatformFailure& failure) = 0;
};

}  // namespace platform
