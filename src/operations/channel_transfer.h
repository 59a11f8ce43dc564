// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Channels into and out of the working codeplug: the channel CSV file, the import of another
// codeplug's channels with the contacts they transmit to, and the channel commands of the Channels
// tab and the Data menu with their file choosers, questions and messages.
//
// Channel CSV file: UTF-8 text (read as TextLineReader reads it), one ChannelLine per line, each ended by CR LF, no header line.

#include "codeplug/codeplug.h"
#include "operations/import_shortfall.h"
#include "operations/transfer_outcome.h"
#include "platform/file_io.h"

#include <filesystem>
#include <string>

namespace pw {

class Codeplug;
class Prompts;
class WorkProgress;

// Every channel's line with CR LF, in table order, references named from the codeplug.
std::string channelsCsvText(const Codeplug& codeplug);
// Writes the channel CSV file as a save is written: fails when nothing is loaded, there are no
// channels, or the file could not be written whole (the old file is then unchanged).
WriteResult exportChannelsCsv(const Codeplug& codeplug, const std::filesystem::path& path);

struct ChannelImportCounts {
    bool opened = true;
    int added = 0;
    int duplicates = 0;
    int supportingContacts = 0;
    bool tableFull = false;
    // Lines refused for their frequencies, and channels that found the table full.
    ImportShortfall shortfall;
};

// Reads a channel CSV file into the codeplug; names are looked up in it. Lines that do not read
// are dropped; the import stops at a full table. `opened` is false when the file cannot be read.
ChannelImportCounts importChannelsCsv(Codeplug& working, const std::filesystem::path& path,
                                      WorkProgress* progress = nullptr);
// Imports every channel of `other`, adding the digital contacts they transmit to when the working
// codeplug has no contact of that name; a channel whose contact exists under another name with
// the same DMR ID is pointed at that contact.
ChannelImportCounts importChannelsFromCodeplug(Codeplug& working, const Codeplug& other,
                                               WorkProgress* progress = nullptr);

// "Export to CSV..." / "Export Channels to CSV...".
TransferOutcome exportChannelsCsvCommand(const Codeplug& working, Prompts& prompts);
// "Import From CSV..." / "Import Channels from CSV...".
TransferOutcome importChannelsCsvCommand(Codeplug& working, Prompts& prompts, WorkProgress* progress = nullptr);
// "Import from Codeplug..." / "Import Channels from Codeplug...".
TransferOutcome importChannelsFromCodeplugCommand(Codeplug& working, Prompts& prompts,
                                                  WorkProgress* progress = nullptr);

// A click on a heading of the channel list. The Channels tab applies the feature guard first
// (`guarded`); the Zones tab's master channel list does not. Column 0 ("No.") does nothing.
TransferOutcome sortChannelsCommand(Codeplug& working, Prompts& prompts, int column, bool guarded = true,
                                    SortOrder order = SortOrder::Ascending);

} // namespace pw
