// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The ordered, owning list that holds every kind of model record.
//
// Items are only ever appended; order changes are made by swapping or sorting. The list owns its
// records: deleteAt and deleteAll destroy them, removeAt hands the record back to the caller.
// Storage is a vector of owned pointers, so index access costs constant time, walking a table of
// 160000 contacts in any order is cheap, and a record stays where it is while the order changes.
// A record appended is a heap object of its own; one made in place (emplaceBack), as decoders make
// whole tables, lies in the list's blocks.

#include "model/record_blocks.h"

#include <algorithm>
#include <cstddef>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace pw {

namespace detail {

// The list's sort: a quicksort around the median of the first, middle and last item, recursing into
// the lower part and iterating over the upper part, with ranges below ten items finished by repeated
// bubble passes. Hoare partitioning stops on keys equal to the pivot from both sides, so a table of
// mostly equal keys is split in balanced halves rather than degrading to quadratic time. The sort
// is not stable.
template <typename T, typename Compare>
void bubbleFinish(std::vector<T>& items, std::ptrdiff_t first, std::ptrdiff_t last, Compare& compare)
{
    bool exchanged = true;
    while (exchanged) {
        exchanged = false;
        for (std::ptrdiff_t i = first; i < last; ++i) {
            if (compare(items[i], items[i + 1]) > 0) {
                std::swap(items[i], items[i + 1]);
                exchanged = true;
            }
        }
    }
}

template <typename T, typename Compare>
void quickSort(std::vector<T>& items, std::ptrdiff_t first, std::ptrdiff_t last, Compare& compare)
{
    while (last - first + 1 >= 10) {
        const std::ptrdiff_t middle = first + (last - first) / 2 + 1;
        // Order first, middle, last so that the median sits in the middle.
        if (compare(items[middle], items[first]) < 0)
            std::swap(items[middle], items[first]);
        if (compare(items[last], items[first]) < 0)
            std::swap(items[last], items[first]);
        if (compare(items[last], items[middle]) < 0)
            std::swap(items[last], items[middle]);
        const T pivot = items[middle];

        std::ptrdiff_t i = first - 1;
        std::ptrdiff_t j = last + 1;
        for (;;) {
            do { ++i; } while (compare(items[i], pivot) < 0);
            do { --j; } while (compare(items[j], pivot) > 0);
            if (i >= j)
                break;
            std::swap(items[i], items[j]);
        }
        quickSort(items, first, j, compare);
        first = j + 1;
    }
    if (last > first)
        bubbleFinish(items, first, last, compare);
}

} // namespace detail

template <typename T>
class RecordList {
public:
    RecordList() = default;
    RecordList(const RecordList&) = delete;
    RecordList& operator=(const RecordList&) = delete;
    RecordList(RecordList&& other) noexcept
        : items_(std::exchange(other.items_, {})), blocks_(std::move(other.blocks_))
    {
    }
    RecordList& operator=(RecordList&& other) noexcept
    {
        if (this != &other) {
            deleteAll();
            items_ = std::exchange(other.items_, {});
            blocks_ = std::move(other.blocks_);
        }
        return *this;
    }
    ~RecordList() { deleteAll(); }

    int count() const { return static_cast<int>(items_.size()); }
    bool empty() const { return items_.empty(); }

    void append(std::unique_ptr<T> item)
    {
        items_.push_back(item.get());
        item.release();
    }

    // Makes a record at the end of the list, in the list's own blocks, from `args`.
    template <typename... Args>
    T& emplaceBack(Args&&... args)
    {
        T* item = blocks_.make(std::forward<Args>(args)...);
        try {
            items_.push_back(item);
        } catch (...) {
            blocks_.destroy(item);
            throw;
        }
        return *item;
    }

    // The item at a 0-based index, or nullptr when the index is outside the list.
    T* at(int index) const
    {
        if (index < 0 || index >= count())
            return nullptr;
        return items_[static_cast<std::size_t>(index)];
    }

    // Unlinks the item at `index` and returns it (a record made in the list's blocks comes back as
    // a copy on the heap); nullptr when the index is outside the list.
    std::unique_ptr<T> removeAt(int index)
    {
        if (index < 0 || index >= count())
            return nullptr;
        T* item = items_[static_cast<std::size_t>(index)];
        std::unique_ptr<T> taken;
        if (blocks_.holds(item)) {
            taken = std::make_unique<T>(std::move(*item));
            blocks_.destroy(item);
        } else {
            taken.reset(item);
        }
        items_.erase(items_.begin() + index);
        return taken;
    }

    // Removes and destroys the item at `index`; returns the index, or -1 when it is outside the list.
    int deleteAt(int index)
    {
        if (index < 0 || index >= count())
            return -1;
        destroy(items_[static_cast<std::size_t>(index)]);
        items_.erase(items_.begin() + index);
        return index;
    }

    // Removes and destroys, in one pass, every item whose 0-based index is marked; the others keep
    // their order. Returns the number removed.
    int eraseMarked(const std::vector<bool>& marked)
    {
        std::size_t kept = 0;
        for (std::size_t i = 0; i < items_.size(); ++i) {
            if (i >= marked.size() || !marked[i])
                items_[kept++] = items_[i];
            else
                destroy(items_[i]);
        }
        const auto removed = items_.size() - kept;
        items_.resize(kept);
        return static_cast<int>(removed);
    }

    void swapItems(int a, int b)
    {
        if (a == b || a < 0 || b < 0 || a >= count() || b >= count())
            return;
        std::swap(items_[static_cast<std::size_t>(a)], items_[static_cast<std::size_t>(b)]);
    }

    // Room for `count` records without growing the storage again.
    void reserve(int count) { items_.reserve(static_cast<std::size_t>(std::max(count, 0))); }

    // Sorts with a three-way comparison (negative, zero, positive) of two records. Returns, for
    // each new 0-based position, the old one.
    std::vector<int> sortBy(const std::function<int(const T&, const T&)>& compare)
    {
        std::vector<int> oldPositions(items_.size());
        for (std::size_t i = 0; i < oldPositions.size(); ++i)
            oldPositions[i] = static_cast<int>(i);
        if (items_.size() < 2)
            return oldPositions;
        // Sort each record with its old position, then lay the records out in the new order.
        using Entry = std::pair<T*, int>;
        std::vector<Entry> order;
        order.reserve(items_.size());
        for (std::size_t i = 0; i < items_.size(); ++i)
            order.emplace_back(items_[i], static_cast<int>(i));
        auto byRecord = [&compare](const Entry& a, const Entry& b) { return compare(*a.first, *b.first); };
        detail::quickSort(order, 0, static_cast<std::ptrdiff_t>(order.size()) - 1, byRecord);
        for (std::size_t i = 0; i < order.size(); ++i) {
            items_[i] = order[i].first;
            oldPositions[i] = order[i].second;
        }
        return oldPositions;
    }

    void deleteAll()
    {
        for (T* item : items_)
            destroy(item);
        items_.clear();
        blocks_.releaseAll();
    }

    auto begin() const { return items_.cbegin(); }
    auto end() const { return items_.cend(); }

private:
    void destroy(T* item)
    {
        if (blocks_.holds(item))
            blocks_.destroy(item);
        else
            delete item;
    }

    // Owned: each item is either in blocks_ or a heap object of its own.
    std::vector<T*> items_;
    RecordBlocks<T> blocks_;
};

} // namespace pw
