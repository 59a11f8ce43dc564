// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Small pieces that the tab commands of the Zones, Scan Lists and Rx Groups tabs and the record
// delete commands share. Not part of the operations' interface.

#include "codeplug/codeplug.h"
#include "operations/list_tab_state.h"
#include "platform/prompts.h"

#include <optional>
#include <string>
#include <string_view>

namespace pw::tab_commands {

// A member edit changes no table, but the image must still mirror the model at once, as after
// every other edit.
inline void commitEdit(Codeplug& codeplug, CommandResult& result)
{
    Codeplug::EditScope edit(codeplug);
    edit.changed();
    result.modelChanged = true;
}

// A record or list added or deleted: the codeplug's own add or delete has committed the change.
inline CommandResult tableChanged(TabList refresh)
{
    CommandResult result;
    result.refresh = refresh;
    result.modelChanged = true;
    return result;
}

inline bool askedYes(Prompts& prompts, MessageIcon icon, MessageButtons buttons, std::string_view text)
{
    return prompts.message(icon, buttons, text) == MessageAnswer::Yes;
}

inline CommandResult refusal(Prompts& prompts, std::string_view text)
{
    prompts.error(text);
    CommandResult result;
    result.refused = true;
    return result;
}

// The position `current` within a table of `count` stepped by +1 or -1, wrapping at both ends;
// the first position when there was none, nothing when the table is empty.
inline std::optional<int> steppedPosition(std::optional<int> current, int count, int step)
{
    if (count <= 0)
        return std::nullopt;
    if (!current || *current < 0 || *current >= count)
        return 0;
    return ((*current + step) % count + count) % count;
}

// The 0-based position when it names an entry of a table of `count`.
inline std::optional<int> validPosition(std::optional<int> position, int count)
{
    if (!position || *position < 0 || *position >= count)
        return std::nullopt;
    return position;
}

// True when the list (the current bank of a zone, or a scan list) already holds the channel at
// `channelIndex`.
template <typename MemberList>
bool holdsChannel(const MemberList& list, int channelIndex, const Codeplug& codeplug)
{
    const int value = codeplug.memberNumberOf(channelIndex);
    return value > 0 && list.hasMember(value);
}

// True when the list holds `limit` members and not the channel at `channelIndex` (a channel it
// holds already needs no room).
template <typename MemberList>
bool hasNoRoomFor(const MemberList& list, int limit, int channelIndex, const Codeplug& codeplug)
{
    return list.memberCount() >= limit && !holdsChannel(list, channelIndex, codeplug);
}

inline std::string singleQuoted(std::string_view name)
{
    return "'" + std::string(name) + "'";
}

} // namespace pw::tab_commands
