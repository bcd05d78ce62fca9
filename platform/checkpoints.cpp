#include "checkpoints.h"

namespace platform {

namespace {

class Finished final : public Aside {
public:
    bool waitUntil(std::chrono::steady_clock::time_point) override { return true; }
};

}  // namespace

std::unique_ptr<Aside> NoCheckpoints::aside(const Path&, std::function<void()> work) {
    work();
    return std::make_unique<Finished>();
}

}  // namespace platform
