#include "boundary.h"

#include "platform/display_text.h"
#include "platform/platform_failure.h"

#include <new>

namespace app {

bool Boundary::run(const std::function<void()>& action) const {
    try {
        action();
        return true;
    } catch (const platform::PlatformFailure& failure) {
        dialogs_.report(failure.what(), platform::displayText(failure.subject().native()));
    } catch (const std::bad_alloc&) {
        dialogs_.report("There is not enough memory for this.", "");
    } catch (const std::exception& failure) {
        dialogs_.report(failure.what(), "");
    }
    return false;
}

}  // namespace app
