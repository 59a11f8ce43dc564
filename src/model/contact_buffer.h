// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a contact holds besides its numbers: six texts (name, callsign, city, state, country,
// remarks) and the bytes of its family record, in one buffer inside the contact.
//
// A codeplug may hold 170,000 contacts, and what they cost is mostly these bytes: six strings and
// a byte vector would take seven allocations and some two hundred bytes per contact. Here the
// record lies at the start of the buffer and the texts follow it back to back, which holds almost
// every real contact (a TYT record of 36 bytes and its name, an RDB record of 16 and its name, a
// D868 record of one byte and up to 63 characters of texts). Texts that do not fit move to the heap, their pointer at the end of
// the buffer; the record stays where it is, so a view of the record outlives changes to the texts.
//
// A text is at most 255 bytes: every format keeps far less, and a longer text set before a format
// conforms it is cut there. A record is at most 56 bytes; the largest, TYT's, has 36.

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <string_view>

namespace pw {

class ContactBuffer {
public:
    static constexpr int TextCount = 6;
    static constexpr std::size_t MaxTextLength = 255;
    static constexpr std::size_t MaxRecordSize = 56;

    ContactBuffer() = default;
    ContactBuffer(const ContactBuffer& other) { copyFrom(other); }
    ContactBuffer& operator=(const ContactBuffer& other)
    {
        if (this != &other)
            copyFrom(other);
        return *this;
    }
    ~ContactBuffer() { releaseHeap(); }

    std::string_view text(int slot) const
    {
        std::size_t begin = 0;
        for (int i = 0; i < slot; ++i)
            begin += lengths_[static_cast<std::size_t>(i)];
        return {textData() + begin, lengths_[static_cast<std::size_t>(slot)]};
    }
    // Replaces one text (cut at a zero byte and at MaxTextLength).
    void setText(int slot, std::string_view text);
    // Replaces all six at once, as a decoder does.
    void setTexts(const std::array<std::string_view, TextCount>& texts);

    std::span<std::uint8_t> record() { return {bytes_.data(), recordSize_}; }
    std::span<const std::uint8_t> record() const { return {bytes_.data(), recordSize_}; }
    // Replaces the record; bytes past MaxRecordSize are not kept. The texts stay as they are.
    void setRecord(std::span<const std::uint8_t> bytes);

    bool operator==(const ContactBuffer& other) const;

private:
    // With this room a whole contact takes one 96-byte heap block: the contacts of a large table
    // are most of a program's memory, and 16 bytes more each would be a sixth more.
    static constexpr std::size_t Capacity = 64;
    static constexpr std::size_t HeapPointerAt = MaxRecordSize;
    static_assert(HeapPointerAt % alignof(char*) == 0 && HeapPointerAt + sizeof(char*) == Capacity);

    std::size_t textsSize() const
    {
        std::size_t total = 0;
        for (const auto length : lengths_)
            total += length;
        return total;
    }
    bool textsOnHeap() const { return recordSize_ + textsSize() > Capacity; }
    char* heapTexts() const
    {
        char* texts = nullptr;
        std::memcpy(&texts, bytes_.data() + HeapPointerAt, sizeof texts);
        return texts;
    }
    const char* textData() const
    {
        return textsOnHeap() ? heapTexts() : reinterpret_cast<const char*>(bytes_.data() + recordSize_);
    }
    void placeTexts(const char* texts, std::size_t size);
    // Gives up the heap block held, if any, and takes a copy of `other`.
    void copyFrom(const ContactBuffer& other);
    void releaseHeap();

    std::array<std::uint8_t, TextCount> lengths_{};
    std::uint8_t recordSize_ = 0;
    alignas(8) std::array<std::uint8_t, Capacity> bytes_{};
};

} // namespace pw
