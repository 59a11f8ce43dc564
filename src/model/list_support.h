// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Small helpers shared by the zone, scan-list and RX-group-list records and their tables.

#include "model/letter_case.h"

#include <string_view>
#include <vector>

namespace pw::list_support {

// Channel names are matched the way the vendor software matches them: letter case ignored.
using pw::equalsIgnoringCase;

// Swaps the members at entries `a` and `b` of a zone or scan list when both entries hold one; a
// move up or down is a swap with the neighbour.
template <typename List>
bool swapMembers(List& list, int a, int b)
{
    if (a < 0 || b < 0 || !list.holdsMember(a) || !list.holdsMember(b))
        return false;
    const int atA = list.member(a);
    list.setMember(a, list.member(b));
    list.setMember(b, atA);
    return true;
}

// Whether an entry of a zone or scan list holds `value`; 0 (an empty entry) is never a member.
template <typename List>
bool hasMember(const List& list, int value)
{
    if (value == 0)
        return false;
    for (int i = 0; i < list.entryCount(); ++i)
        if (list.member(i) == value)
            return true;
    return false;
}

// The index of the first record of `list` named `name`, letter case ignored; -1 when none is.
template <typename List>
int findNamed(const List& list, std::string_view name)
{
    for (int i = 0; i < list.count(); ++i)
        if (equalsIgnoringCase(list.at(i)->name(), name))
            return i;
    return -1;
}

// The members of a zone or scan list in entry order, empty entries left out.
template <typename List>
std::vector<int> members(const List& list)
{
    std::vector<int> numbers;
    for (int i = 0; i < list.entryCount(); ++i)
        if (list.holdsMember(i))
            numbers.push_back(list.member(i));
    return numbers;
}

} // namespace pw::list_support
