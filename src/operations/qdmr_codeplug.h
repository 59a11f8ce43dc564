// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// qdmr's extensible codeplug, a YAML document, both ways.
//
// Written: the radio's DMR ID and name (radioIDs, settings.defaultID), DMR contacts, RX group lists
// as group lists, digital and analog channels (frequencies, power, time-out, admit criterion,
// colour code, time slot, transmit contact, group list, scan list, bandwidth, tones, receive only),
// zones (banks A and B) and scan lists. Records refer to each other by ids: cont1, grp1, ch1,
// zone1, scan1, the table position after the prefix. Settings the codeplug holds and qdmr names
// otherwise (squelch levels, VOX levels) are left out rather than guessed, and so are the private
// and All Call members of RX group lists, which qdmr's group lists cannot hold.
//
// Read: the same keys, and of qdmr's TYT channel extension the settings every channel has (lone
// worker, auto scan, talkaround, call confirmations, tight squelch, reference frequencies). qdmr
// 0.11's "digital"/"analog" channel keys and the "dmr"/"fm" keys of later versions both read.
//
// Every other key is ignored. The records are built in a codeplug of the
// destination's format held in memory, so that its capacities and name lengths hold, and are
// brought in from there by the structural import: by name, references carried, duplicate contacts
// (by DMR ID) and channels (by name) left out.

#include "operations/structural_import.h"
#include "operations/transfer_outcome.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace pw {

class Codeplug;
class Prompts;
class WorkProgress;

// The codeplug as qdmr's YAML codeplug.
std::string qdmrYaml(const Codeplug& codeplug);

struct QdmrImport {
    // The text was a YAML document with the shape of a qdmr codeplug; otherwise `refusal` says why.
    bool read = false;
    std::string refusal;
    StructuralImportCounts counts;
    // Records of the file that the codeplug's format could not take (a frequency it cannot store,
    // a name given twice, a full table, a value that does not read).
    int leftOut = 0;
};

// Brings the records of the qdmr codeplug `yaml` into `working`.
QdmrImport importQdmrYaml(Codeplug& working, std::string_view yaml);
// The same for the qdmr codeplug file at `path`; a file that cannot be read is refused with its
// path and the system's reason.
QdmrImport importQdmrFile(Codeplug& working, const std::filesystem::path& path);

// The structural import's report for the records brought in from `path`, and a line for those
// left out when there were any.
std::string qdmrImportReport(const std::string& path, const QdmrImport& imported);

// The window's "Export to qdmr..." and "Import from qdmr...": a file chooser, the work, a message.
TransferOutcome exportQdmrCommand(const Codeplug& working, Prompts& prompts);
TransferOutcome importQdmrCommand(Codeplug& working, Prompts& prompts, WorkProgress* progress = nullptr);

} // namespace pw
