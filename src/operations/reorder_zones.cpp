// SPDX-License-Identifier: GPL-3.0-or-later
#include "operations/reorder_zones.h"

#include "operations/tab_command_support.h"

namespace pw {

using namespace tab_commands;

namespace {

constexpr const char* NoSelectionHint = "First select a zone to move, then click the UP or DOWN button.";

CommandResult moveZone(Codeplug& codeplug, Prompts& prompts, std::optional<int> selectedRow, int step)
{
    CommandResult result;
    if (!codeplug.loaded())
        return result;
    const auto from = validPosition(selectedRow, codeplug.zones().count());
    if (!from) {
        prompts.inform(NoSelectionHint);
        return result;
    }
    const int to = *from + step;
    if (to < 0 || to >= codeplug.zones().count())
        return result;
    codeplug.zones().swapItems(*from, to);
    commitEdit(codeplug, result);
    result.refresh = TabList::Zones;
    result.selectedRow = to;
    return result;
}

} // namespace

bool canOpenReorderZones(const Codeplug& codeplug, Prompts& prompts)
{
    if (codeplug.loaded())
        return true;
    prompts.error("Error: Unable to access memory image.");
    return false;
}

std::vector<ReorderZoneRow> reorderZoneRows(const Codeplug& codeplug)
{
    std::vector<ReorderZoneRow> rows;
    for (int i = 0; i < codeplug.zones().count(); ++i)
        rows.push_back({std::to_string(i + 1), codeplug.zones().at(i)->name()});
    if (rows.empty())
        rows.push_back({"#", "No Zones"});
    return rows;
}

CommandResult moveZoneUp(Codeplug& codeplug, Prompts& prompts, std::optional<int> selectedRow)
{
    return moveZone(codeplug, prompts, selectedRow, -1);
}

CommandResult moveZoneDown(Codeplug& codeplug, Prompts& prompts, std::optional<int> selectedRow)
{
    return moveZone(codeplug, prompts, selectedRow, +1);
}

CommandResult finishReorderZones(const Codeplug& codeplug, ListTabState& state)
{
    state.currentZone = codeplug.zones().empty() ? std::nullopt : std::optional<int>(0);
    CommandResult result;
    result.refresh = TabList::Zones;
    return result;
}

} // namespace pw
