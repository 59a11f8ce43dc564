// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Small helpers shared by the zone, scan-list and RX-group-list records.

#include "model/letter_case.h"

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

} // namespace pw::list_support
