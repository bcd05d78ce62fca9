#pragma once

#include "native.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace platform {

// Names from one directory, in blocks of blockSize names whose characters lie
// end to end in one buffer: a million names cost a few hundred allocations,
// not a million, and free as quickly. A block once full never changes, and
// whoever was told of it may keep it: another thread can sort it while names
// are still being added, and stop when it likes.
class NameList {
public:
    static constexpr size_t blockSize = 4096;

    NameList() = default;
    // Blocks are shared with whoever was told of them, never with another list.
    NameList(NameList&&) = default;
    NameList& operator=(NameList&&) = default;
    NameList(const NameList&) = delete;
    NameList& operator=(const NameList&) = delete;

    class Block {
    public:
        size_t size() const { return ends_.size(); }
        bool full() const { return ends_.size() == blockSize; }
        // Which name of the whole list its first one is.
        size_t first() const { return first_; }
        NativeView operator[](size_t local) const {
            const uint32_t start = local == 0 ? 0 : ends_[local - 1];
            return NativeView(chars_).substr(start, ends_[local] - start);
        }

    private:
        friend class NameList;
        NativeString chars_;
        std::vector<uint32_t> ends_;
        size_t first_ = 0;
    };

    void add(NativeView name) {
        if (blocks_.empty() || blocks_.back()->full()) startBlock();
        Block& last = *blocks_.back();
        last.chars_.append(name);
        last.ends_.push_back(static_cast<uint32_t>(last.chars_.size()));
        ++size_;
        // Before anyone is told of it: what doubling left over goes.
        if (last.full() && last.chars_.capacity() > last.chars_.size() + last.chars_.size() / 8)
            last.chars_.shrink_to_fit();
    }
    size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    NativeView operator[](size_t index) const { return (*blocks_[index / blockSize])[index % blockSize]; }
    size_t blockCount() const { return blocks_.size(); }
    std::shared_ptr<const Block> block(size_t at) const { return blocks_[at]; }

private:
    // A block after a full one holds about as many characters as that one:
    // room for them at once, and little more.
    void startBlock() {
        constexpr size_t usualName = 16;
        const size_t before = blocks_.empty() ? usualName * blockSize : blocks_.back()->chars_.size();
        auto block = std::make_shared<Block>();
        block->first_ = size_;
        block->ends_.reserve(blockSize);
        block->chars_.reserve(before + before / 16);
        blocks_.push_back(std::move(block));
    }

    std::vector<std::shared_ptr<Block>> blocks_;
    size_t size_ = 0;
};

// Which of a listing's two lists.
enum class Listed { Subdirectories, Files };

// Hears of a listing's names block by block, as the reading goes on: each
// full block as soon as it fills, the last, part-full ones once the reading
// is done. On the reading thread; a block told of stays as it is.
class ListingObserver {
public:
    virtual ~ListingObserver() = default;
    virtual void filled(Listed which, std::shared_ptr<const NameList::Block> block) = 0;
};

// Tells a listing's observer of each block of one of its lists once, as
// the list grows.
class BlockTeller {
public:
    BlockTeller(ListingObserver* observer, Listed which, const NameList& list)
        : observer_(observer), which_(which), list_(list) {}
    // Tells of the blocks that filled since last time; with `all`, of the last one too.
    void tell(bool all) {
        for (; told_ < list_.blockCount() && (all || list_.block(told_)->full()); ++told_)
            if (observer_) observer_->filled(which_, list_.block(told_));
    }

private:
    ListingObserver* observer_;
    Listed which_;
    const NameList& list_;
    size_t told_ = 0;
};

}  // namespace platform
