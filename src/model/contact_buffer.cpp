// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/contact_buffer.h"

#include "model/unicode_text.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace pw {
namespace {

// Whether every byte is 1 to 127, eight at a time: a word has a zero byte where subtracting one
// from each byte borrows into its top bit, and a byte of 128 or more has that bit set already.
bool isPlainAscii(std::string_view text)
{
    constexpr std::uint64_t Ones = 0x0101010101010101ull;
    constexpr std::uint64_t Tops = 0x8080808080808080ull;
    std::size_t at = 0;
    for (; at + 8 <= text.size(); at += 8) {
        std::uint64_t word;
        std::memcpy(&word, text.data() + at, 8);
        if (((word - Ones) | word) & Tops)
            return false;
    }
    return std::all_of(text.begin() + static_cast<std::ptrdiff_t>(at), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) - 1u < 0x7Fu; });
}

std::string_view usable(std::string_view text)
{
    // Short plain ASCII without a zero byte, as the decoders give, is kept as it is.
    if (text.size() <= ContactBuffer::MaxTextLength && isPlainAscii(text))
        return text;
    text = text.substr(0, std::min(text.find('\0'), text.size()));
    // Cut before a character that would be cut in two.
    return utf8Prefix(text, ContactBuffer::MaxTextLength);
}

} // namespace

void ContactBuffer::releaseHeap()
{
    if (textsOnHeap())
        delete[] heapTexts();
}

// Puts `size` bytes of texts after the record, or on the heap when they do not fit there; `texts`
// is a heap block of that size in the second case. The lengths already add up to `size`.
void ContactBuffer::placeTexts(const char* texts, std::size_t size)
{
    if (recordSize_ + size > Capacity)
        std::memcpy(bytes_.data() + HeapPointerAt, &texts, sizeof texts);
    else if (size > 0)
        std::memcpy(bytes_.data() + recordSize_, texts, size);
}

void ContactBuffer::setTexts(const std::array<std::string_view, TextCount>& texts)
{
    std::array<std::string_view, TextCount> kept;
    std::size_t total = 0;
    for (std::size_t i = 0; i < kept.size(); ++i) {
        kept[i] = usable(texts[i]);
        total += kept[i].size();
    }
    // The texts may come from this buffer itself: they are gathered before it is given up.
    std::array<char, Capacity> staged;
    char* gathered = recordSize_ + total > Capacity ? new char[total] : staged.data();
    std::size_t at = 0;
    for (const auto text : kept) {
        if (text.empty())
            continue;  // an empty view may have no data pointer, which memcpy must not be given
        std::memcpy(gathered + at, text.data(), text.size());
        at += text.size();
    }
    releaseHeap();
    for (std::size_t i = 0; i < kept.size(); ++i)
        lengths_[i] = static_cast<std::uint8_t>(kept[i].size());
    placeTexts(gathered, total);
}

void ContactBuffer::setText(int slot, std::string_view text)
{
    std::array<std::string_view, TextCount> texts;
    for (int i = 0; i < TextCount; ++i)
        texts[static_cast<std::size_t>(i)] = i == slot ? text : this->text(i);
    setTexts(texts);
}

void ContactBuffer::setRecord(std::span<const std::uint8_t> bytes)
{
    const std::size_t size = std::min(bytes.size(), MaxRecordSize);
    if (size == recordSize_) {
        // A record read into a copy of its format's blank contact: the texts stay where they are.
        if (size > 0)
            std::memmove(bytes_.data(), bytes.data(), size);
        return;
    }
    const std::size_t total = textsSize();
    const bool wasOnHeap = textsOnHeap();
    const bool toHeap = size + total > Capacity;
    std::array<char, Capacity> staged;
    const char* texts = staged.data();
    if (toHeap) {
        char* heap = wasOnHeap ? heapTexts() : new char[total];
        if (!wasOnHeap)
            std::memcpy(heap, textData(), total);
        texts = heap;
    } else if (total > 0) {
        std::memcpy(staged.data(), textData(), total);
    }
    std::array<std::uint8_t, MaxRecordSize> record;
    if (size > 0)
        std::memcpy(record.data(), bytes.data(), size);
    if (wasOnHeap && !toHeap)
        delete[] heapTexts();
    recordSize_ = static_cast<std::uint8_t>(size);
    if (size > 0)
        std::memcpy(bytes_.data(), record.data(), size);
    placeTexts(texts, total);
}

void ContactBuffer::copyFrom(const ContactBuffer& other)
{
    char* heap = nullptr;
    if (other.textsOnHeap()) {
        const std::size_t total = other.textsSize();
        heap = new char[total];
        std::memcpy(heap, other.heapTexts(), total);
    }
    releaseHeap();
    lengths_ = other.lengths_;
    recordSize_ = other.recordSize_;
    bytes_ = other.bytes_;
    if (heap)
        std::memcpy(bytes_.data() + HeapPointerAt, &heap, sizeof heap);
}

bool ContactBuffer::operator==(const ContactBuffer& other) const
{
    return lengths_ == other.lengths_ && recordSize_ == other.recordSize_ &&
           std::equal(record().begin(), record().end(), other.record().begin()) &&
           std::memcmp(textData(), other.textData(), textsSize()) == 0;
}

} // namespace pw
