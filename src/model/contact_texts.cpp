// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/contact_texts.h"

#include "model/unicode_text.h"

#include <algorithm>
#include <cstring>

namespace pw {
namespace {

std::string_view usable(std::string_view text)
{
    text = text.substr(0, std::min(text.find('\0'), text.size()));
    // Cut before a character that would be cut in two.
    return utf8Prefix(text, ContactTexts::MaxLength);
}

} // namespace

std::size_t ContactTexts::size() const
{
    std::size_t total = 0;
    for (const auto length : lengths_)
        total += length;
    return total;
}

void ContactTexts::releaseHeap()
{
    if (onHeap())
        delete[] storage_.heap;
}

void ContactTexts::setAll(const std::array<std::string_view, Count>& texts)
{
    std::array<std::string_view, Count> kept;
    std::size_t total = 0;
    for (std::size_t i = 0; i < Count; ++i) {
        kept[i] = usable(texts[i]);
        total += kept[i].size();
    }
    // The texts may come from this buffer itself: they are gathered before it is given up.
    char staged[InlineCapacity];
    char* target = total > InlineCapacity ? new char[total] : staged;
    std::size_t at = 0;
    for (const auto text : kept) {
        if (text.empty())
            continue;  // an empty view may have no data pointer, which memcpy must not be given
        std::memcpy(target + at, text.data(), text.size());
        at += text.size();
    }
    releaseHeap();
    for (std::size_t i = 0; i < Count; ++i)
        lengths_[i] = static_cast<std::uint8_t>(kept[i].size());
    if (total > InlineCapacity)
        storage_.heap = target;
    else
        std::memcpy(storage_.inline_, staged, total);
}

void ContactTexts::set(int slot, std::string_view text)
{
    std::array<std::string_view, Count> texts;
    for (int i = 0; i < Count; ++i)
        texts[static_cast<std::size_t>(i)] = i == slot ? text : get(i);
    setAll(texts);
}

void ContactTexts::copyFrom(const ContactTexts& other)
{
    releaseHeap();
    lengths_ = other.lengths_;
    const std::size_t total = other.size();
    if (total > InlineCapacity) {
        storage_.heap = new char[total];
        std::memcpy(storage_.heap, other.storage_.heap, total);
    } else {
        std::memcpy(storage_.inline_, other.storage_.inline_, total);
    }
}

bool ContactTexts::operator==(const ContactTexts& other) const
{
    return lengths_ == other.lengths_ && std::memcmp(data(), other.data(), size()) == 0;
}

} // namespace pw
