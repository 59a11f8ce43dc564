// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The logic of the "Reorder Zones" dialog, without the window: what its list shows, the up and down
// moves with their messages, and what closing it does. Zones are referred to by nothing, so a move
// is a plain swap of two zones.

#include "operations/list_tab_state.h"

#include <optional>
#include <string>
#include <vector>

namespace pw {

class Codeplug;
class Prompts;

inline constexpr const char* ReorderZonesExplanation =
    "Highlight a zone, then click the up or down button to move\r\nit to a new position in the codeplug.";

// One row of the dialog's list: "No." and "Zone Name".
struct ReorderZoneRow {
    std::string number;
    std::string name;
};

// Whether the dialog may open: without a codeplug it says so and the dialog closes at once.
bool canOpenReorderZones(const Codeplug& codeplug, Prompts& prompts);
// The rows in table order; a table without zones shows the one row "#", "No Zones".
std::vector<ReorderZoneRow> reorderZoneRows(const Codeplug& codeplug);
// The up and down buttons on the selected row (nothing selected: a hint). The result's selectedRow
// is where the moved zone now stands.
CommandResult moveZoneUp(Codeplug& codeplug, Prompts& prompts, std::optional<int> selectedRow);
CommandResult moveZoneDown(Codeplug& codeplug, Prompts& prompts, std::optional<int> selectedRow);
// "Done": the first zone becomes current.
CommandResult finishReorderZones(const Codeplug& codeplug, ListTabState& state);

} // namespace pw
