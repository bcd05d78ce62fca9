#include "boundary.h"

#include "platform/platform_failure.h"

namespace app {

bool Boundary::call(const std::function<void()>& handler) const {
    try {
        handler();
        return true;
    } catch (const platform::PlatformFailure& failure) {
        report_.report(failure);
        return false;
    }
}

}  // namespace app
