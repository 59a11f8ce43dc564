// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The six texts of a contact (name, callsign, city, state, country, remarks) in one buffer.
//
// A codeplug may hold 170,000 contacts, and what they cost is mostly their texts: six strings would
// take six allocations and some two hundred bytes per contact. Here the texts lie back to back in a
// buffer inside the contact, which holds the texts of almost every real contact (about sixty
// characters in all); longer texts move the buffer to the heap. A text is at most 255 bytes: every
// format keeps far less, and a longer text set before a format conforms it is cut there.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace pw {

class ContactTexts {
public:
    static constexpr int Count = 6;
    static constexpr std::size_t MaxLength = 255;

    ContactTexts() = default;
    ContactTexts(const ContactTexts& other) { copyFrom(other); }
    ContactTexts& operator=(const ContactTexts& other)
    {
        if (this != &other)
            copyFrom(other);
        return *this;
    }
    ~ContactTexts() { releaseHeap(); }

    std::string_view get(int slot) const
    {
        std::size_t begin = 0;
        for (int i = 0; i < slot; ++i)
            begin += lengths_[static_cast<std::size_t>(i)];
        return {data() + begin, lengths_[static_cast<std::size_t>(slot)]};
    }

    // Replaces one text (cut at a zero byte and at MaxLength).
    void set(int slot, std::string_view text);
    // Replaces all six at once, as a decoder does.
    void setAll(const std::array<std::string_view, Count>& texts);

    bool operator==(const ContactTexts& other) const;

private:
    // Inline room: with it a contact takes 112 bytes of the heap. Texts longer in all lie on the
    // heap, their pointer in the inline room.
    static constexpr std::size_t InlineCapacity = 64;

    bool onHeap() const { return size() > InlineCapacity; }
    const char* data() const { return onHeap() ? storage_.heap : storage_.inline_; }
    std::size_t size() const;
    void copyFrom(const ContactTexts& other);
    void releaseHeap();

    std::array<std::uint8_t, Count> lengths_{};
    union Storage {
        char inline_[InlineCapacity];
        char* heap;
    } storage_{};
};

} // namespace pw
