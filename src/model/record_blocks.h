// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Room for records made in place, side by side in blocks of BlockRecords records.
//
// A decoder makes a whole table at once, and each record of its own would cost the heap's header
// and rounding besides the pointer to it: on 130,000 contacts a megabyte. A block is given back
// when the last record made in it is destroyed, and all of them when the owner goes. A destroyed
// record's room is not used again, and AddressSanitizer is told so, so that a record used after
// its destruction is caught as on the heap.

#include <cstddef>
#include <functional>
#include <iterator>
#include <map>
#include <memory>
#include <utility>

#if defined(__SANITIZE_ADDRESS__)
#define PW_RECORD_BLOCKS_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define PW_RECORD_BLOCKS_ASAN 1
#endif
#endif
#ifdef PW_RECORD_BLOCKS_ASAN
#include <sanitizer/asan_interface.h>
#endif

namespace pw {

template <typename T>
class RecordBlocks {
public:
    static constexpr std::size_t BlockRecords = 1024;

    RecordBlocks() = default;
    RecordBlocks(const RecordBlocks&) = delete;
    RecordBlocks& operator=(const RecordBlocks&) = delete;
    RecordBlocks(RecordBlocks&& other) noexcept
        : blocks_(std::exchange(other.blocks_, {})), filling_(std::exchange(other.filling_, nullptr))
    {
    }
    RecordBlocks& operator=(RecordBlocks&& other) noexcept
    {
        if (this != &other) {
            releaseAll();
            blocks_ = std::exchange(other.blocks_, {});
            filling_ = std::exchange(other.filling_, nullptr);
        }
        return *this;
    }
    // The records must have been destroyed: only their room is given back.
    ~RecordBlocks() { releaseAll(); }

    template <typename... Args>
    T* make(Args&&... args)
    {
        if (filling_ == nullptr || blocks_.at(filling_).made == BlockRecords)
            openBlock();
        Block& block = blocks_.at(filling_);
        T* room = filling_ + block.made;
        unpoison(room, 1);
        try {
            std::construct_at(room, std::forward<Args>(args)...);
        } catch (...) {
            poison(room, 1);
            throw;
        }
        ++block.made;
        ++block.live;
        return room;
    }

    bool holds(const T* record) const { return blockOf(record) != blocks_.end(); }

    // Destroys a record that make returned.
    void destroy(T* record)
    {
        const auto block = blockOf(record);
        std::destroy_at(record);
        poison(record, 1);
        if (--block->second.live == 0 && block->second.made == BlockRecords)
            release(block);
    }

    // Gives every block back; the records must have been destroyed.
    void releaseAll()
    {
        while (!blocks_.empty())
            release(blocks_.begin());
    }

private:
    struct Block {
        std::size_t made = 0;
        std::size_t live = 0;
    };
    // Keyed by first record, so that a record's block is the last one starting at or before it.
    using Blocks = std::map<T*, Block, std::less<>>;

    typename Blocks::const_iterator blockOf(const T* record) const { return blockIn(blocks_, record); }
    typename Blocks::iterator blockOf(const T* record) { return blockIn(blocks_, record); }
    template <typename Map>
    static auto blockIn(Map& blocks, const T* record)
    {
        auto after = blocks.upper_bound(record);
        if (after == blocks.begin())
            return blocks.end();
        const auto block = std::prev(after);
        return std::less<>{}(record, block->first + BlockRecords) ? block : blocks.end();
    }

    void openBlock()
    {
        T* first = std::allocator<T>{}.allocate(BlockRecords);
        poison(first, BlockRecords);
        blocks_.emplace(first, Block{});
        filling_ = first;
    }

    void release(typename Blocks::iterator block)
    {
        T* first = block->first;
        if (first == filling_)
            filling_ = nullptr;
        blocks_.erase(block);
        unpoison(first, BlockRecords);
        std::allocator<T>{}.deallocate(first, BlockRecords);
    }

    static void poison([[maybe_unused]] T* first, [[maybe_unused]] std::size_t records)
    {
#ifdef PW_RECORD_BLOCKS_ASAN
        ASAN_POISON_MEMORY_REGION(first, records * sizeof(T));
#endif
    }
    static void unpoison([[maybe_unused]] T* first, [[maybe_unused]] std::size_t records)
    {
#ifdef PW_RECORD_BLOCKS_ASAN
        ASAN_UNPOISON_MEMORY_REGION(first, records * sizeof(T));
#endif
    }

    Blocks blocks_;
    // The block that make fills, or nullptr when it is full or given back.
    T* filling_ = nullptr;
};

} // namespace pw
