#pragma once

#include "platform/checkpoints.h"

#include <chrono>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <vector>

namespace platform {

// Drive labels ("[SYSTEM]"), read beside the job that lists the drives, each
// on a thread of its own and for a while at most; a label that does not come
// in time is left out, or the one that drive gave last is shown. A drive is
// asked again only once its last read has ended, so a drive that hangs costs
// one thread. The reads count against no drive: under Wine a label read waits
// on every mount of the host, and must not make the drive itself seem dead.
class VolumeLabels {
public:
    std::vector<NativeString> read(const std::vector<NativeString>& roots, Checkpoints& job,
                                   std::chrono::milliseconds patience) const;

private:
    struct Known {
        std::mutex mutex;
        std::map<NativeString, NativeString> labels;
        std::set<NativeString> reading;
    };
    std::shared_ptr<Known> known_ = std::make_shared<Known>();
};

}  // namespace platform
