// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The bytes of one record in its format's layout, as a record of the model carries them.
//
// A byte vector with the few operations records need, in 16 bytes instead of a std::vector's 24:
// a codeplug may hold 170,000 contacts, and every byte a contact costs counts 170,000 times.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <iterator>
#include <memory>
#include <span>
#include <vector>

namespace pw {

class RecordBytes {
public:
    RecordBytes() = default;
    RecordBytes(std::size_t size, std::uint8_t value) { resize(size, value); }
    RecordBytes(const std::vector<std::uint8_t>& bytes) { assign(bytes.begin(), bytes.end()); }
    RecordBytes(std::initializer_list<std::uint8_t> bytes) { assign(bytes.begin(), bytes.end()); }
    RecordBytes(const RecordBytes& other) { assign(other.begin(), other.end()); }
    RecordBytes(RecordBytes&&) noexcept = default;
    RecordBytes& operator=(const RecordBytes& other)
    {
        if (this != &other)
            assign(other.begin(), other.end());
        return *this;
    }
    RecordBytes& operator=(RecordBytes&&) noexcept = default;

    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    std::uint8_t* data() { return bytes_.get(); }
    const std::uint8_t* data() const { return bytes_.get(); }
    std::uint8_t* begin() { return bytes_.get(); }
    std::uint8_t* end() { return bytes_.get() + size_; }
    const std::uint8_t* begin() const { return bytes_.get(); }
    const std::uint8_t* end() const { return bytes_.get() + size_; }
    std::uint8_t& operator[](std::size_t i) { return bytes_[i]; }
    std::uint8_t operator[](std::size_t i) const { return bytes_[i]; }

    template <typename Iterator>
    void assign(Iterator first, Iterator last)
    {
        const auto count = static_cast<std::size_t>(std::distance(first, last));
        auto bytes = count == 0 ? nullptr : std::make_unique_for_overwrite<std::uint8_t[]>(count);
        std::copy(first, last, bytes.get());
        bytes_ = std::move(bytes);
        size_ = static_cast<std::uint32_t>(count);
    }

    void assign(std::size_t count, std::uint8_t value)
    {
        clear();
        resize(count, value);
    }

    // Grows with `value` or shrinks to `size` bytes, keeping the ones that stay.
    void resize(std::size_t size, std::uint8_t value = 0)
    {
        auto bytes = size == 0 ? nullptr : std::make_unique_for_overwrite<std::uint8_t[]>(size);
        const std::size_t kept = std::min<std::size_t>(size, size_);
        if (kept > 0)
            std::memcpy(bytes.get(), bytes_.get(), kept);
        std::fill(bytes.get() + kept, bytes.get() + size, value);
        bytes_ = std::move(bytes);
        size_ = static_cast<std::uint32_t>(size);
    }

    void clear()
    {
        bytes_.reset();
        size_ = 0;
    }

    operator std::span<std::uint8_t>() { return {data(), size()}; }
    operator std::span<const std::uint8_t>() const { return {data(), size()}; }
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
    std::unique_ptr<std::uint8_t[]> bytes_;
    std::uint32_t size_ = 0;
};

} // namespace pw
