// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// "Zone Wizard": the selected channels go into a zone, new or existing, and optionally into a new
// scan list that every channel of the zone is then made to use.
//
// The dialog belongs to the window; its texts, its status line, its name proposals and its
// "Commit Changes" live here, so that the window, the command-line front end and the tests run the
// same code.

#include "operations/dialog_outcome.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pw {

class Codeplug;
class Prompts;

namespace zone_wizard_text {
inline constexpr std::string_view Title = "Zone Wizard";
inline constexpr std::string_view ZoneName = "Zone Name:";
inline constexpr std::string_view ZoneNameNote = "Specify the name of the zone to create. If you use an existing "
                                                 "zone name, the selected channels will be added to it.";
inline constexpr std::string_view ZoneStatus = "Zone Status:";
inline constexpr std::string_view SelectedChannels = "Channels Selected for Addition to Zone:";
inline constexpr std::string_view CreateScanList = "Create a Scan List called ";
inline constexpr std::string_view CreateScanListTail = "and add ALL zone channels to it.";
inline constexpr std::string_view ApplyScanList =
    "Apply the new Scan List to all channels in the zone. (Issuing a SCAN command when any of the zone's "
    "channels are active will scan all channels in the zone.)";
inline constexpr std::string_view Commit = "Commit Changes";
inline constexpr std::string_view Cancel = "Cancel Changes";

inline constexpr std::string_view NoChannelsSelected =
    "No channels selected. You must select at least\r\none channel to use Zone Wizard.";
inline constexpr std::string_view InvalidIndex = "Invalid index passed to Zone Wizard; unable to complete command.";
inline constexpr std::string_view InvalidChannel =
    "Invalid channel data passed to Zone Wizard; unable to complete command.";
inline constexpr std::string_view EmptyNameStatus =
    "ERROR! The ZONE NAME is empty. No action can be taken. Please choose a zone name.";
inline constexpr std::string_view EmptyNameError =
    "Error: Zone name may not be empty. Please choose a zone name, then click\r\nCOMMIT CHANGES to try again.";
inline constexpr std::string_view CreateFailed = "Failed to create new Zone. No action taken.";
// A codeplug holds at most 250 zones; the wizard then only fills existing ones.
inline constexpr std::string_view NoRoomForZone =
    "Sorry, no room for an additional zone: this codeplug already holds 250 zones. No action taken.\r\n"
    "Choose the name of an existing zone, or delete a zone first.";
inline constexpr std::string_view NoRoomForScanList = "Sorry, no room for an additional scan list.";
} // namespace zone_wizard_text

// Zone and scan-list names are at most 16 characters.
inline constexpr std::size_t ZoneWizardNameLimit = 16;

// The default zone name for a channel name: the name up to the first space, control character or
// comma, at most 16 characters.
std::string firstWordOf(std::string_view channelName);

// The 0-based position of the first zone or scan list of that name, letter case ignored; -1 none.
int findZoneByName(const Codeplug& codeplug, std::string_view name);
int findScanListByName(const Codeplug& codeplug, std::string_view name);

// The selected-channels box: each channel's name followed by CR LF. `rows` in list order.
std::string selectedChannelsText(const Codeplug& codeplug, const std::vector<int>& rows);

// The status line for putting the channels at `rows` (list order) into the zone named `zoneName`.
// The counts are those the commit will reach: a selected channel that is already in the zone's
// current bank is not counted as added.
std::string zoneWizardStatus(const Codeplug& codeplug, std::string_view zoneName, const std::vector<int>& rows);

// The scan-list name proposed for a zone name: the name itself when no scan list has it (letter
// case ignored), else the name followed by 1, 2, ... up to 9, which is proposed even when in use.
// A name with a digit appended is shortened to stay within 16 characters.
std::string proposedScanListName(const Codeplug& codeplug, std::string_view zoneName);

struct ZoneWizardCommit {
    CommitOutcome outcome = CommitOutcome::StayOpen;
    // The closing report, shown with the information icon.
    std::string report;
    // 0-based positions of the zone filled and of the scan list created, -1 for none.
    int zoneIndex = -1;
    int scanListIndex = -1;
    // A zone or scan list was created, a member added or a channel's scan list changed.
    bool modelChanged = false;
};

// The dialog's state and logic. Created by open(), which makes the opening checks.
class ZoneWizard {
public:
    // Opens the wizard on the selected 0-based rows of the channel list (taken in list order, each
    // once). Nothing without a loaded codeplug (silently), with no row (the error box), or when a
    // row names no channel (its error box).
    static std::optional<ZoneWizard> open(Codeplug* codeplug, Prompts& prompts, std::vector<int> rows);

    const std::vector<int>& rows() const { return rows_; }
    int selectedCount() const { return static_cast<int>(rows_.size()); }

    const std::string& zoneName() const { return zoneName_; }
    // Cut to 16 characters; recomputes the status and, for a name that is not empty, proposes the
    // scan-list name.
    void setZoneName(std::string_view name);
    const std::string& status() const { return status_; }
    const std::string& selectedChannels() const { return selectedChannels_; }

    const std::string& scanListName() const { return scanListName_; }
    void setScanListName(std::string_view name);
    bool createScanList() const { return createScanList_; }
    void setCreateScanList(bool on) { createScanList_ = on; }
    bool applyScanList() const { return applyScanList_; }
    // Switching the apply box on switches the creation box on as well.
    void setApplyScanList(bool on);

    // "Commit Changes": fills the zone (creating it when no zone has the name), creates and applies
    // the scan list as the boxes say, shows the report and closes (Accepted). An empty zone name, or
    // a new zone when 250 exist, shows its error and keeps the dialog open.
    ZoneWizardCommit commit(Prompts& prompts);

private:
    ZoneWizard(Codeplug& codeplug, std::vector<int> rows);
    void refreshStatus();

    Codeplug* codeplug_;
    std::vector<int> rows_;
    std::string zoneName_;
    std::string status_;
    std::string selectedChannels_;
    std::string scanListName_;
    bool createScanList_ = false;
    bool applyScanList_ = false;
};

} // namespace pw
