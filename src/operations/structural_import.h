// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The structural import: contacts, RX group lists, channels, scan lists and zones of another
// codeplug file, of any family, into the working codeplug.
//
// The kinds go in the order of their dependencies -- contacts, RX group lists, channels, scan
// lists, zones -- and every reference between them travels as a name, never as a number: an
// imported list looks its members up by name among the records that are in the working codeplug
// by then, whatever their positions. Channels are carried as their ChannelLine. A scan list or
// zone whose name is taken gets the first free name of the name followed by 1, 2, 3 ...; an RX
// group list keeps its name. Duplicate contacts (by DMR ID) and channels (by name) are not
// imported.

#include "operations/list_tab_state.h"

#include <filesystem>
#include <functional>
#include <string>

namespace pw {

class Codeplug;
class Prompts;
class WorkProgress;

// The kinds to import, a bit set; one check box each on the Structural Import tab.
inline constexpr unsigned ImportGroupContacts = 0x01;    // "Contacts - Group/All Call"
inline constexpr unsigned ImportChannels = 0x02;         // "Channels"
inline constexpr unsigned ImportRxGroups = 0x04;         // "Receive Groups"
inline constexpr unsigned ImportZones = 0x08;            // "Zones"
inline constexpr unsigned ImportScanLists = 0x10;        // "Scan Lists"
inline constexpr unsigned ImportPrivateContacts = 0x20;  // "Contacts - Private Call"
inline constexpr unsigned ImportAllKinds = 0x3F;

struct StructuralImportCounts {
    int contacts = 0;
    int rxGroups = 0;
    int channels = 0;
    int scanLists = 0;
    int zones = 0;
};

// Imports the chosen kinds of `other` into `working` (steps after the file was opened). `other` is
// not changed; importing a codeplug object into itself imports nothing. The functions below tell
// `progress`, when given, how far they have come.
StructuralImportCounts importStructuresFrom(Codeplug& working, const Codeplug& other, unsigned options,
                                            WorkProgress* progress = nullptr);

// The report: "Results of import from PATH:" and one line per kind chosen, in the order of import.
std::string structuralImportReport(const std::string& path, unsigned options, const StructuralImportCounts& counts);

// Opens `path` as a second codeplug and imports the chosen kinds from it; false when the file
// could not be opened or nothing was chosen, with `report` holding the reason (nothing when the
// file could not be read). `counts`, when given, receives what was imported.
bool importStructures(Codeplug& working, const std::filesystem::path& path, unsigned options, std::string& report,
                      StructuralImportCounts* counts = nullptr, WorkProgress* progress = nullptr);

// "Import Selected Structures...": asks for the file, imports, and shows the report. Every tab is
// to be refilled afterwards; the first scan list becomes current. `showImported`, when given, is
// called after the import and before the report, so that a window refills its tabs under it.
CommandResult importStructuresCommand(Codeplug& working, Prompts& prompts, unsigned options, ListTabState& state,
                                      const std::function<void()>& showImported = {},
                                      WorkProgress* progress = nullptr);

// The "Receive Groups" box was switched on: a D868 codeplug gets a word of caution. True when it
// was shown.
bool receiveGroupsSwitchedOn(const Codeplug& working, Prompts& prompts);

// What a failed import shows before its details.
inline constexpr const char* StructuralImportFailure = "Failed to import one or more structures. Details:\r\n\r\n";

// The help text the tab shows.
extern const char* const StructuralImportHelpText;

} // namespace pw
