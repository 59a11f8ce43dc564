// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the Zones, Scan Lists and Rx Groups tabs remember between commands, and what a tab command
// reports back.
//
// The window owns one ListTabState for the whole run; the tab commands read and move its positions,
// and return a CommandResult naming the lists they left out of date, so that the window, the
// command-line front end and the tests all read the same answer.

#include <optional>

namespace pw {

class Codeplug;

// The lists of the main window that a command may leave out of date.
enum class TabList : unsigned {
    None = 0,
    Contacts = 1u << 0,   // the contact list and the Rx Groups tab's master contact list
    Channels = 1u << 1,   // the channel list and the master channel lists
    Zones = 1u << 2,      // the Zones tab: zone name and members
    ScanLists = 1u << 3,  // the Scan Lists tab
    RxGroups = 1u << 4,   // the Rx Groups tab
};

constexpr TabList operator|(TabList a, TabList b)
{
    return static_cast<TabList>(static_cast<unsigned>(a) | static_cast<unsigned>(b));
}

constexpr TabList& operator|=(TabList& a, TabList b)
{
    a = a | b;
    return a;
}

// True when every list of `wanted` is in `set`.
constexpr bool includes(TabList set, TabList wanted)
{
    return (static_cast<unsigned>(set) & static_cast<unsigned>(wanted)) == static_cast<unsigned>(wanted);
}

struct CommandResult {
    // The lists to refill.
    TabList refresh = TabList::None;
    // Where the selection mark of the list the command acted on belongs now (0-based row): the
    // moved member after a move, the same row after a single delete. Nothing leaves it alone.
    std::optional<int> selectedRow;
    // The command said no with an error message (no room, list full, feature not offered).
    bool refused = false;
    // The model changed, so the codeplug is marked changed.
    bool modelChanged = false;
};

struct ListTabState {
    // 0-based positions of the current zone, scan list and RX group list; nothing when the table
    // is empty.
    std::optional<int> currentZone;
    std::optional<int> currentScanList;
    std::optional<int> currentRxGroup;
    // The zone bank shown on the Zones tab: 1 (A) or 2 (B).
    int shownBank = 1;

    // After a codeplug was opened: the first of each list is current and bank A is shown.
    void reset(const Codeplug& codeplug);
    // Keeps each position inside its table after something outside these tabs (an import, a
    // paste) changed the tables: a position past the end moves to the last list, an empty table
    // leaves none, and a table that gained its first list makes that one current.
    void fitTo(const Codeplug& codeplug);
};

} // namespace pw
