#pragma once

#include <functional>
#include <vector>

namespace browse {

// Calls every subscriber, in the order they subscribed, each time it is
// raised. Subscribers run at once, nested inside whatever raised it.
class Notifier {
public:
    void subscribe(std::function<void()> subscriber) { subscribers_.push_back(std::move(subscriber)); }
    void raise() const {
        for (const auto& subscriber : subscribers_) subscriber();
    }

private:
    std::vector<std::function<void()>> subscribers_;
};

}  // namespace browse
