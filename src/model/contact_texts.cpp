#include "model/contact_texts.h"

#include <algorithm>
#include <cstring>

namespace pw {
namespace {

std::string_view usable(std::string_view text)
{
    text = text.substr(0, std::min(text.find('\0'), text.size()));
    return text.substr(0, std::min(text.size(), ContactTexts::MaxLength));
}

} // namespace

std::size_t ContactTexts::size() const
{
    std::size_t total = 0;
    for (const auto length : lengths_)
        total += length;
    return total;
}

void ContactTexts::setAll(const std::array<std::string_view, Count>& texts)
{
    std::array<std::string_view, Count> kept;
    std::size_t total = 0;
    for (int i = 0; i < Count; ++i) {
        kept[static_cast<std::size_t>(i)] = usable(texts[static_cast<std::size_t>(i)]);
        total += kept[static_cast<std::size_t>(i)].size();
    }
    std::unique_ptr<char[]> heap;
    char* out = inline_.data();
    if (total > InlineCapacity) {
        heap = std::make_unique<char[]>(total);
        out = heap.get();
    }
    // The texts may come from this buffer itself: they are all copied before it is given up.
    std::array<char, InlineCapacity> staged;
    char* target = heap ? out : staged.data();
    std::size_t at = 0;
    for (int i = 0; i < Count; ++i) {
        const auto text = kept[static_cast<std::size_t>(i)];
        std::memcpy(target + at, text.data(), text.size());
        at += text.size();
        lengths_[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(text.size());
    }
    if (heap) {
        heap_ = std::move(heap);
    } else {
        heap_.reset();
        std::memcpy(inline_.data(), staged.data(), at);
    }
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
    lengths_ = other.lengths_;
    const std::size_t total = other.size();
    if (other.heap_) {
        heap_ = std::make_unique<char[]>(total);
        std::memcpy(heap_.get(), other.heap_.get(), total);
    } else {
        heap_.reset();
        std::memcpy(inline_.data(), other.inline_.data(), total);
    }
}

bool ContactTexts::operator==(const ContactTexts& other) const
{
    return lengths_ == other.lengths_ && std::memcmp(data(), other.data(), size()) == 0;
}

} // namespace pw
