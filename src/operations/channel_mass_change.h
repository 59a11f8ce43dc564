// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// "Channel Mass Change": one set of changes applied to every selected channel, or to copies of them.
//
// The dialog itself belongs to the window; everything it shows and decides lives here so that the
// window, the command-line front end and the tests run the same code: the labels, the lists it
// offers, the "Commit Changes" checks and the command around it.

#include "model/channel.h"
#include "operations/dialog_outcome.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pw {

class Codeplug;
class Prompts;

// The offset list of the dialog, in its order.
enum class OffsetChoice { Simplex = 0, Plus = 1, Minus = 2 };

struct TextReplacement {
    std::string find;
    std::string replacement;
};

// What the dialog hands to the apply step. A change is switched on when its value is present.
struct ChannelChangeSet {
    std::optional<double> rxFrequency;           // MHz, at least 30
    std::optional<OffsetChoice> offset;
    std::optional<std::string> prependText;      // the dialog fills both from one box
    std::optional<std::string> appendText;
    std::optional<TextReplacement> replace;      // case-sensitive; an empty find text changes nothing
    std::optional<int> scanList;                 // list position, 0 none
    std::optional<std::string> admitCriterion;   // an admit name of a digital channel of the format
    std::optional<int> timeSlot;                 // 1 or 2
    std::optional<int> txContact;                // contact position, 0 none
    std::optional<int> rxGroupList;              // list position, 0 none
    std::optional<int> colorCode;                // 0 to 15
    std::optional<std::string> encodeTone;       // an entry of toneChoices()
    std::optional<std::string> decodeTone;
    bool makeCopies = false;

    // True when any change is switched on; the make-copies switch is no change.
    bool hasChanges() const;
};

// Applies the changes to one channel in their fixed order: admit criterion, replace, append,
// prepend, scan list, receive frequency (keeping the channel's offset), offset, the analog tones
// (decode, then encode) and the digital settings (slot, contact, RX group list, colour code).
// Changes that do not fit the channel's mode are passed over.
void applyChannelChanges(const ChannelChangeSet& changes, Channel& channel);

// Frequencies from here up are UHF: they take the UHF repeater offset, and a codeplug whose first
// channel is there gets new channels in that band.
inline constexpr double UhfFromMhz = 200.0;

// The transmit offset that "( + )" and "( -- )" use at a receive frequency: 5 MHz from 200 MHz up,
// 0.6 MHz below.
double repeaterOffsetMhz(double rxMhz);

// ---- The dialog's texts and lists ----

namespace mass_change_text {
inline constexpr std::string_view Title = "Channel Mass Change";
inline constexpr std::string_view CommonGroup = "Changes Common to All Selected Channels";
inline constexpr std::string_view DigitalGroup = "Changes to Digital (DMR) Channels";
inline constexpr std::string_view AnalogGroup = "Changes to Analog (FM) Channels";
inline constexpr std::string_view RxFrequency = "Change RX Frequency to ";
inline constexpr std::string_view RxFrequencyUnit = "MHz";
inline constexpr std::string_view InitialRxFrequency = "146.5200";
inline constexpr std::string_view Offset = "Change Offset to ";
inline constexpr std::string_view Prepend = "Prepend Text to Channel Name";
inline constexpr std::string_view Append = "Append Text to Channel Name";
inline constexpr std::string_view NameText = "Prepend / Append Text";
inline constexpr std::string_view Replace = "Replace Text ";
inline constexpr std::string_view ReplaceWith = "with";
inline constexpr std::string_view ReplaceIn = "in Channel Name";
inline constexpr std::string_view ScanList = "Change Scan List to";
inline constexpr std::string_view Admit = "Change Admit Type to";
inline constexpr std::string_view TimeSlot = "Change Time Slot to";
inline constexpr std::string_view TxContact = "Change TX Contact (TG) to ";
inline constexpr std::string_view RxGroup = "Change RX Group to ";
inline constexpr std::string_view ColorCode = "Change Color Code to";
inline constexpr std::string_view Encode = "Change TX Encode to";
inline constexpr std::string_view Decode = "Change RX Decode to";
inline constexpr std::string_view MakeCopies = "Make a copy of the original channel before applying changes";
inline constexpr std::string_view Commit = "Commit Changes";
inline constexpr std::string_view Cancel = "Cancel Changes";
inline constexpr std::string_view None = "None";

inline constexpr std::string_view SetupInvalid = "Internal Error: Setup data are invalid for Mass Change Dialog.";
inline constexpr std::string_view NothingSelected =
    "At least one channel must be selected prior to issuing this command!";
inline constexpr std::string_view InvalidFrequency =
    "Invalid transmit frequency. Correct value, then click COMMIT CHANGES again.";
inline constexpr std::string_view NoChangesQuestion =
    "Warning: No changes are selected, so no action will be performed.\r\n\r\nClick YES to discard changes, NO "
    "if you want to go back and select changes you've entered.";
} // namespace mass_change_text

// "%d channels have been updated."
std::string channelsUpdatedMessage(int count);

// The dialog's start: it needs a loaded codeplug of a known format, else it shows the internal
// error and is cancelled (false).
bool massChangeSetupValid(const Codeplug* codeplug, Prompts& prompts);

// ---- "Commit Changes" ----

// The frequency box as a decimal number; nothing when the text is not a finite number of at least
// 30 MHz. Blanks around the number are allowed, anything else after it is not.
std::optional<double> readRxFrequencyBox(std::string_view text);

struct MassChangeCommit {
    CommitOutcome outcome = CommitOutcome::StayOpen;
    ChannelChangeSet changes;
};

// The checks of "Commit Changes". `changes` holds every change collected from the controls except
// the receive frequency, whose box text `rxFrequencyText` is given when its switch is on. A bad
// frequency shows the error and keeps the dialog open; no change at all asks whether to discard:
// Yes cancels, No keeps the dialog open.
MassChangeCommit commitChannelChanges(ChannelChangeSet changes, std::optional<std::string_view> rxFrequencyText,
                                      Prompts& prompts);

// ---- The command ----

struct MassChangeResult {
    // The dialog was accepted and the changes applied.
    bool applied = false;
    // The selected channels handled, as the closing message counts them.
    int selected = 0;
    // Copies that addChannel took; the others were dropped (a name already in use, a full table).
    int copiesAdded = 0;
    // Some channel changed or a copy was added; changes that fit none of the channels leave the
    // codeplug unchanged and unmarked.
    bool modelChanged = false;
    // The row the window selects and scrolls to: the last selected channel handled, -1 for none.
    int lastHandledRow = -1;
};

// Runs the dialog (nothing when it was cancelled) once the command may go on.
using MassChangeDialog = std::function<std::optional<ChannelChangeSet>()>;

// "Mass Change Channels...": `rows` are the selected 0-based rows of the channel list. They are
// handled in list order, each once; rows outside the table are passed over. Copies are appended to
// the table and never handled themselves. `showChanges`, when given, is called once the channels
// are changed and before the closing message, so that a window shows the changed lists under it.
MassChangeResult massChangeChannels(Codeplug& codeplug, Prompts& prompts, std::vector<int> rows,
                                    const MassChangeDialog& runDialog,
                                    const std::function<void(const MassChangeResult&)>& showChanges = {});

} // namespace pw
