#include "natural_sorter.h"

#include "sorted_runs.h"

#include <algorithm>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

namespace browse {
namespace {

using platform::Listed;
using platform::NameList;
using BlockPointer = std::shared_ptr<const NameList::Block>;

}  // namespace

// What the sorter and its thread share. The thread alone touches the streams
// while it runs; the sorter, once it has seen it end.
struct NaturalSorter::State {
    std::mutex mutex;
    std::condition_variable changed;
    std::deque<std::pair<Listed, BlockPointer>> pending;
    bool helperRunning = false, finishing = false, stopped = false;
    SortedRuns streams[2];
    std::vector<std::pair<Listed, BlockPointer>> lastBlocks;  // part-full: sorted once the reading is done

    SortedRuns& stream(Listed which) { return streams[which == Listed::Files ? 1 : 0]; }

    // Sorts what is pending; with `mayWait`, then waits for more until the
    // reading is done.
    void drain(bool mayWait) {
        std::unique_lock lock(mutex);
        while (!stopped) {
            if (!pending.empty()) {
                auto [which, block] = std::move(pending.front());
                pending.pop_front();
                lock.unlock();
                stream(which).add(*block);
                block.reset();
                lock.lock();
                continue;
            }
            if (!mayWait || finishing) break;
            changed.wait(lock);
        }
        helperRunning = false;
        changed.notify_all();
    }
};

NaturalSorter::NaturalSorter(platform::Checkpoints& job, int processors)
    : job_(job), alongside_(processors > 1), state_(std::make_shared<State>()) {}

NaturalSorter::~NaturalSorter() {
    {
        const std::lock_guard lock(state_->mutex);
        state_->stopped = true;
    }
    state_->changed.notify_all();
}

void NaturalSorter::filled(Listed which, BlockPointer block) {
    if (!block->full()) {
        state_->lastBlocks.emplace_back(which, std::move(block));
        return;
    }
    if (!alongside_) {
        state_->stream(which).add(*block);
        return;
    }
    {
        const std::lock_guard lock(state_->mutex);
        state_->pending.emplace_back(which, std::move(block));
        if (state_->helperRunning) {
            state_->changed.notify_one();
            return;
        }
        state_->helperRunning = true;
    }
    // A job's thread waits for more blocks; work run at once, on this
    // thread, must not.
    const auto reader = std::this_thread::get_id();
    helper_ = job_.aside({}, [state = state_, reader] { state->drain(std::this_thread::get_id() != reader); });
    if (!helper_) state_->drain(false);  // no thread to be had: here and now
}

SortedNames NaturalSorter::sorted(Listed which, platform::NameList names) {
    {
        std::unique_lock lock(state_->mutex);
        state_->finishing = true;
        state_->changed.notify_all();
        state_->changed.wait(lock, [&] { return !state_->helperRunning; });
    }
    SortedRuns& stream = state_->stream(which);
    for (auto& [listed, block] : state_->lastBlocks)
        if (block && listed == which) {
            stream.add(*block);
            block.reset();
        }
    SortedNames result;
    // A large list's last merge in two halves at once.
    constexpr size_t worthAThread = 32768;
    FinalMerge merge(stream, result.order_, !alongside_ || stream.size() < worthAThread);
    std::unique_ptr<platform::Aside> secondHalf;
    if (alongside_ && stream.size() >= worthAThread) secondHalf = job_.aside({}, [&merge] { merge.second(); });
    merge.first();
    if (secondHalf)
        secondHalf->waitUntil(std::chrono::steady_clock::time_point::max());
    else
        merge.second();
    // Rare: names whose first 128 key bits tie go by their whole keys.
    for (const auto& [start, end] : merge.ties())
        std::sort(result.order_.begin() + static_cast<std::ptrdiff_t>(start),
                  result.order_.begin() + static_cast<std::ptrdiff_t>(end),
                  [&](std::uint32_t a, std::uint32_t b) { return fullyBefore(names[a], names[b]); });
    result.longest_ = stream.longest();
    result.names_ = std::move(names);
    return result;
}

SortedNames sortedNaturally(platform::NameList names) {
    platform::NoCheckpoints here;
    NaturalSorter sorter(here);
    for (size_t i = 0; i < names.blockCount(); ++i) sorter.filled(Listed::Files, names.block(i));
    return sorter.sorted(Listed::Files, std::move(names));
}

}  // namespace browse
