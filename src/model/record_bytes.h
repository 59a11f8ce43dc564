// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The bytes of one record in its format's layout, as a record of the model carries them.
//
// A byte vector with the few operations records need, which keeps records of up to 64 bytes (a
// TYT or RDB channel) inside the object: a decode then makes one allocation a record, not two.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <iterator>
#include <span>
#include <utility>
#include <vector>

namespace pw {

class RecordBytes {
public:
    RecordBytes() = default;
    RecordBytes(std::size_t size, std::uint8_t value) { resize(size, value); }
    RecordBytes(const std::vector<std::uint8_t>& bytes) { assign(bytes.begin(), bytes.end()); }
    RecordBytes(std::initializer_list<std::uint8_t> bytes) { assign(bytes.begin(), bytes.end()); }
    RecordBytes(const RecordBytes& other) { assign(other.begin(), other.end()); }
    RecordBytes(RecordBytes&& other) noexcept : storage_(other.storage_), size_(other.size_)
    {
        other.size_ = 0;
    }
    RecordBytes& operator=(const RecordBytes& other)
    {
        if (this != &other)
            assign(other.begin(), other.end());
        return *this;
    }
    RecordBytes& operator=(RecordBytes&& other) noexcept
    {
        if (this != &other) {
            clear();
            storage_ = other.storage_;
            size_ = std::exchange(other.size_, 0);
        }
        return *this;
    }
    ~RecordBytes() { clear(); }

    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    std::uint8_t* data() { return onHeap() ? storage_.heap : storage_.inline_; }
    const std::uint8_t* data() const { return onHeap() ? storage_.heap : storage_.inline_; }
    std::uint8_t* begin() { return data(); }
    std::uint8_t* end() { return data() + size_; }
    const std::uint8_t* begin() const { return data(); }
    const std::uint8_t* end() const { return data() + size_; }
    std::uint8_t& operator[](std::size_t i) { return data()[i]; }
    std::uint8_t operator[](std::size_t i) const { return data()[i]; }

    template <typename Iterator>
    void assign(Iterator first, Iterator last)
    {
        const auto count = static_cast<std::size_t>(std::distance(first, last));
        if (count == size_) {
            // A record copied from its format's blank one takes the stored bytes in place.
            std::copy(first, last, data());
            return;
        }
        Storage storage = allocate(count);
        std::copy(first, last, count > InlineCapacity ? storage.heap : storage.inline_);
        replace(storage, count);
    }
    void assign(std::size_t count, std::uint8_t value)
    {
        clear();
        resize(count, value);
    }
    // Grows with `value` or shrinks to `size` bytes, keeping the ones that stay.
    void resize(std::size_t size, std::uint8_t value = 0)
    {
        Storage storage = allocate(size);
        std::uint8_t* bytes = size > InlineCapacity ? storage.heap : storage.inline_;
        const std::size_t kept = std::min<std::size_t>(size, size_);
        if (kept > 0)
            std::memcpy(bytes, data(), kept);
        std::fill(bytes + kept, bytes + size, value);
        replace(storage, size);
    }
    void clear()
    {
        if (onHeap())
            delete[] storage_.heap;
        size_ = 0;
    }

    std::vector<std::uint8_t> toVector() const { return {begin(), end()}; }

    bool operator==(const RecordBytes& other) const
    {
        return size_ == other.size_ && std::equal(begin(), end(), other.begin());
    }
    friend bool operator==(const RecordBytes& a, const std::vector<std::uint8_t>& b)
    {
        return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin());
    }

private:
    static constexpr std::size_t InlineCapacity = 64;
    union Storage {
        std::uint8_t* heap;
        std::uint8_t inline_[InlineCapacity];
    };

    bool onHeap() const { return size_ > InlineCapacity; }
    static Storage allocate(std::size_t size)
    {
        Storage storage{};
        if (size > InlineCapacity)
            storage.heap = new std::uint8_t[size];
        return storage;
    }
    void replace(Storage storage, std::size_t size)
    {
        clear();
        storage_ = storage;
        size_ = static_cast<std::uint32_t>(size);
    }

    Storage storage_{};
    std::uint32_t size_ = 0;
};

} // namespace pw
