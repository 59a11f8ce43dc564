// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Names and texts typed into the editors, checked against what the codeplug can store.
//
// A format with a small alphabet brings other letters to it by transliteration; a character with
// no Latin spelling at all would be lost, so the editors refuse the name and say why instead of
// storing something else. A name longer than the record holds would be cut where the user cannot
// see it: it is refused too, naming the limit. Blanks after a name are dropped: the radio shows
// them as nothing, and they would make two names that look alike differ.

#include "model/record_format.h"

#include <optional>
#include <string>
#include <string_view>

namespace pw {

inline constexpr const char* UnstorableNameMessage =
    "This name cannot be stored: it has characters that the radio's alphabet cannot show, even "
    "spelled in Latin letters. Please choose another name.";

// A typed text without the blanks after it.
constexpr std::string_view withoutTrailingBlanks(std::string_view text)
{
    const auto last = text.find_last_not_of(" \t");
    return last == std::string_view::npos ? std::string_view() : text.substr(0, last + 1);
}

// "Name: \"...\" is too long; this codeplug stores at most 16 characters."
inline std::string tooLongText(std::string_view what, std::string_view text, const TextRoom& room)
{
    return std::string(what) + ": \"" + std::string(text) + "\" is too long; this codeplug stores at most " +
           std::to_string(room.characters) + " characters.";
}

// Why `format` (a ContactFormat or ChannelFormat) cannot store the typed `name`, or nothing.
template <typename Format>
std::optional<std::string> nameRefusal(const Format& format, std::string_view name, std::string_view what = "Name")
{
    if (!format.holdsName(name))
        return std::string(UnstorableNameMessage);
    if (const TextRoom room = format.nameRoom(); !room.fits(name))
        return tooLongText(what, name, room);
    return std::nullopt;
}

// True when `format` holds `name`; otherwise the refusal is told.
template <typename Format, typename Tell>
bool nameIsStorable(const Format& format, std::string_view name, Tell tell)
{
    const auto refusal = nameRefusal(format, name);
    if (refusal)
        tell(refusal->c_str());
    return !refusal;
}

} // namespace pw
