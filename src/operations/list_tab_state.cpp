// SPDX-License-Identifier: GPL-3.0-or-later
#include "operations/list_tab_state.h"

#include "codeplug/codeplug.h"

#include <algorithm>

namespace pw {
namespace {

std::optional<int> firstOf(int count)
{
    return count > 0 ? std::optional<int>(0) : std::nullopt;
}

std::optional<int> fitted(std::optional<int> position, int count)
{
    if (count <= 0)
        return std::nullopt;
    if (!position || *position < 0)
        return 0;
    return std::min(*position, count - 1);
}

} // namespace

void ListTabState::reset(const Codeplug& codeplug)
{
    currentZone = firstOf(codeplug.zones().count());
    currentScanList = firstOf(codeplug.scanLists().count());
    currentRxGroup = firstOf(codeplug.rxGroupLists().count());
    shownBank = 1;
}

void ListTabState::fitTo(const Codeplug& codeplug)
{
    currentZone = fitted(currentZone, codeplug.zones().count());
    currentScanList = fitted(currentScanList, codeplug.scanLists().count());
    currentRxGroup = fitted(currentRxGroup, codeplug.rxGroupLists().count());
    if (!hasZoneBanks(codeplug.formatId()))
        shownBank = 1;
    shownBank = std::clamp(shownBank, 1, 2);
}

} // namespace pw
