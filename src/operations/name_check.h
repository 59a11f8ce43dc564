// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Names a format cannot hold. A format with a small alphabet brings other letters to it by
// transliteration; a character with no Latin spelling at all would be lost, so the editors refuse
// the name and say why instead of storing something else.

#include <string_view>

namespace pw {

inline constexpr const char* UnstorableNameMessage =
    "This name cannot be stored: it has characters that the radio's alphabet cannot show, even "
    "spelled in Latin letters. Please choose another name.";

// True when `format` (a ContactFormat or ChannelFormat) holds `name`; otherwise the refusal is told.
template <typename Format, typename Tell>
bool nameIsStorable(const Format& format, std::string_view name, Tell tell)
{
    if (format.holdsName(name))
        return true;
    tell(UnstorableNameMessage);
    return false;
}

} // namespace pw
