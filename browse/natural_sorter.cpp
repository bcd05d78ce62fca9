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
    explicit State(bool sortOnce) : streams{SortedRuns(sortOnce), SortedRuns(sortOnce)} {}

    std::mutex mutex;
    std::condition_variable changed;
    std::deque<std::pair<Listed, BlockPointer>> pending;
    bool helperRunning = false, busy = false, stopped = false;
    std::function<void()> task;  // for the thread once the reading is done: half the last merge
    bool taskDone = false;
    SortedRuns streams[2];
    std::vector<std::pair<Listed, BlockPointer>> lastBlocks;  // part-full: sorted once the reading is done

    SortedRuns& stream(Listed which) { return streams[which == Listed::Files ? 1 : 0]; }

    // Sorts what is pending; with `mayWait`, then waits for more, and for
    // its half of each last merge, until the sorter goes.
    void drain(bool mayWait) {
        std::unique_lock lock(mutex);
        while (!stopped) {
            if (!pending.empty()) {
                auto [which, block] = std::move(pending.front());
                pending.pop_front();
                busy = true;
                lock.unlock();
                stream(which).add(*block);
                block.reset();
                lock.lock();
                busy = false;
                continue;
            }
            if (task) {
                const std::function<void()> half = std::move(task);
                task = nullptr;
                lock.unlock();
                half();
                lock.lock();
                taskDone = true;
                changed.notify_all();
                continue;
            }
            if (!mayWait) break;
            changed.notify_all();  // idle: the reading's end may be waiting for that
            changed.wait(lock);
        }
        helperRunning = false;
        changed.notify_all();
    }

    // Until the thread has sorted every block it was given.
    void waitUntilIdle() {
        std::unique_lock lock(mutex);
        changed.wait(lock, [&] { return !helperRunning || (pending.empty() && !busy); });
    }

    // Runs `half` on the thread, if it still runs, and the rest here; returns once both are done.
    void shareOut(const std::function<void()>& half, const std::function<void()>& rest) {
        bool beside = false;
        {
            const std::lock_guard lock(mutex);
            if (helperRunning && !stopped) {
                task = half;
                taskDone = false;
                beside = true;
            }
        }
        changed.notify_all();
        rest();
        if (!beside) return half();
        std::unique_lock lock(mutex);
        changed.wait(lock, [&] { return taskDone || !helperRunning; });
        if (!taskDone) {  // ended before it took the task up
            task = nullptr;
            lock.unlock();
            half();
        }
    }
};

NaturalSorter::NaturalSorter(platform::Checkpoints& job, int processors)
    : job_(job), alongside_(processors > 1), state_(std::make_shared<State>(!alongside_)) {}

NaturalSorter::~NaturalSorter() {
    {
        const std::lock_guard lock(state_->mutex);
        state_->stopped = true;
    }
    state_->changed.notify_all();
}

void NaturalSorter::filled(Listed which, BlockPointer block) {
    if (only_ && which != *only_) return;
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
    state_->waitUntilIdle();
    SortedRuns& stream = state_->stream(which);
    for (auto& [listed, block] : state_->lastBlocks)
        if (block && listed == which) {
            stream.add(*block);
            block.reset();
        }
    stream.finish();
    SortedNames result;
    // A large list's last merge in two halves at once, one on the thread
    // that made most of the runs and still has them at hand.
    constexpr size_t worthSharing = 32768;
    FinalMerge merge(stream, result.order_, !alongside_ || stream.size() < worthSharing);
    state_->shareOut([&merge] { merge.second(); }, [&merge] { merge.first(); });
    // Rare: names whose first 128 key bits tie go by their whole keys.
    for (const auto& [start, end] : merge.ties())
        std::sort(result.order_.begin() + static_cast<std::ptrdiff_t>(start),
                  result.order_.begin() + static_cast<std::ptrdiff_t>(end),
                  [&](std::uint32_t a, std::uint32_t b) { return fullyBefore(names[a], names[b]); });
    result.longest_ = stream.longest();
    result.names_ = std::move(names);
    return result;
}

}  // namespace browse
