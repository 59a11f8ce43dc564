// SPDX-License-Identifier: GPL-3.0-or-later
#include "operations/zone_wizard.h"

#include "codeplug/codeplug.h"
#include "model/list_support.h"
#include "model/unicode_text.h"
#include "operations/channel_selection.h"
#include "platform/prompts.h"

#include <utility>

namespace pw {
namespace {

constexpr int LastScanListSuffix = 9;

std::string singleQuoted(std::string_view name)
{
    return "'" + std::string(name) + "'";
}

// What committing would do to the zone's current bank, found by adding the selection to a copy.
struct PlannedFill {
    bool existing = false;
    int capacity = 0;
    int before = 0;
    int added = 0;
    // A channel not yet in the bank found no room.
    bool overflow = false;
};

PlannedFill planFill(const Codeplug& codeplug, std::string_view zoneName, const std::vector<int>& rows)
{
    const int index = findZoneByName(codeplug, zoneName);
    Zone zone = index >= 0 ? *codeplug.zones().at(index) : codeplug.newZone();
    PlannedFill plan;
    plan.existing = index >= 0;
    plan.capacity = zone.capacity();
    plan.before = zone.memberCount();
    for (const int row : rows) {
        const int member = codeplug.memberNumberOf(row);
        if (zone.addMember(member)) {
            ++plan.added;
            continue;
        }
        if (member > 0 && !zone.hasMember(member) && zone.memberCount() >= plan.capacity)
            plan.overflow = true;
    }
    return plan;
}

} // namespace

std::string firstWordOf(std::string_view channelName)
{
    std::string word;
    for (const char c : channelName) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte == ' ' || byte == ',' || byte < 0x20 || byte == 0x7F || word.size() >= ZoneWizardNameLimit)
            break;
        word.push_back(c);
    }
    return word;
}

int findZoneByName(const Codeplug& codeplug, std::string_view name)
{
    return list_support::findNamed(codeplug.zones(), name);
}

int findScanListByName(const Codeplug& codeplug, std::string_view name)
{
    return list_support::findNamed(codeplug.scanLists(), name);
}

std::string selectedChannelsText(const Codeplug& codeplug, const std::vector<int>& rows)
{
    std::string text;
    for (const int row : rows)
        if (const Channel* channel = codeplug.channelAt(row))
            text += channel->name() + "\r\n";
    return text;
}

std::string zoneWizardStatus(const Codeplug& codeplug, std::string_view zoneName, const std::vector<int>& rows)
{
    if (zoneName.empty())
        return std::string(zone_wizard_text::EmptyNameStatus);
    const auto plan = planFill(codeplug, zoneName, rows);
    const auto selected = std::to_string(rows.size());
    const auto capacity = std::to_string(plan.capacity);
    const auto name = singleQuoted(zoneName);
    if (plan.existing) {
        if (plan.before >= plan.capacity)
            return "ERROR! The zone " + name + " is FULL and NONE of the channels you've selected can be added to it.";
        if (plan.overflow)
            return "An existing zone, " + name + ", will have only " + std::to_string(plan.added) +
                   " channels from the " + selected + " selected channels added to it. The zone will be FULL with " +
                   capacity + " channels after this addition.";
        return "An existing zone, " + name + ", will have " + std::to_string(plan.added) +
               " channels added to it, for a total of " + std::to_string(plan.before + plan.added) +
               " channels in the zone.";
    }
    if (codeplug.zones().count() >= MaxZones)
        return "ERROR! This codeplug already holds " + std::to_string(MaxZones) + " zones, so the new zone " + name +
               " cannot be created. Please choose the name of an existing zone.";
    return "A new zone " + name + " will be created and it will contain " + std::to_string(plan.added) +
           " channels from the " + selected + " you selected. Note that zones in this codeplug are limited to " +
           capacity + " channels total.";
}

std::string proposedScanListName(const Codeplug& codeplug, std::string_view zoneName)
{
    if (findScanListByName(codeplug, zoneName) < 0)
        return std::string(zoneName);
    // The digit must survive the 16-character cut of the name setter, or the proposal would be the
    // very name that is in use.
    const auto stem = std::string(utf8FirstCharacters(zoneName, ZoneWizardNameLimit - 1));
    std::string candidate;
    for (int suffix = 1; suffix <= LastScanListSuffix; ++suffix) {
        candidate = stem + std::to_string(suffix);
        if (findScanListByName(codeplug, candidate) < 0)
            break;
    }
    return candidate;
}

ZoneWizard::ZoneWizard(Codeplug& codeplug, std::vector<int> rows) : codeplug_(&codeplug), rows_(std::move(rows)) {}

std::optional<ZoneWizard> ZoneWizard::open(Codeplug* codeplug, Prompts& prompts, std::vector<int> rows)
{
    if (!codeplug || !codeplug->loaded())
        return std::nullopt;
    rows = rowsInListOrder(std::move(rows));
    if (rows.empty()) {
        prompts.message(MessageIcon::Error, MessageButtons::Ok, zone_wizard_text::NoChannelsSelected);
        return std::nullopt;
    }
    // Every selected row is checked, not only the first: a later row naming no channel would
    // otherwise be counted in the status but never added.
    if (!rowsWithin(rows, codeplug->channels().count())) {
        prompts.message(MessageIcon::Error, MessageButtons::Ok, zone_wizard_text::InvalidIndex);
        return std::nullopt;
    }
    for (const int row : rows) {
        if (!codeplug->channelAt(row)) {
            prompts.message(MessageIcon::Error, MessageButtons::Ok, zone_wizard_text::InvalidChannel);
            return std::nullopt;
        }
    }
    ZoneWizard wizard(*codeplug, std::move(rows));
    wizard.selectedChannels_ = selectedChannelsText(*codeplug, wizard.rows_);
    const auto firstWord = firstWordOf(codeplug->channelAt(wizard.rows_.front())->name());
    wizard.scanListName_ = firstWord;
    wizard.setZoneName(firstWord);
    return wizard;
}

void ZoneWizard::setZoneName(std::string_view name)
{
    zoneName_ = std::string(utf8FirstCharacters(name, ZoneWizardNameLimit));
    refreshStatus();
}

void ZoneWizard::refreshStatus()
{
    selectedChannels_ = selectedChannelsText(*codeplug_, rows_);
    status_ = zoneWizardStatus(*codeplug_, zoneName_, rows_);
    if (!zoneName_.empty())
        scanListName_ = proposedScanListName(*codeplug_, zoneName_);
}

void ZoneWizard::setScanListName(std::string_view name)
{
    scanListName_ = std::string(utf8FirstCharacters(name, ZoneWizardNameLimit));
}

void ZoneWizard::setApplyScanList(bool on)
{
    applyScanList_ = on;
    if (on)
        createScanList_ = true;
}

ZoneWizardCommit ZoneWizard::commit(Prompts& prompts)
{
    ZoneWizardCommit result;
    if (zoneName_.empty()) {
        prompts.message(MessageIcon::Error, MessageButtons::Ok, zone_wizard_text::EmptyNameError);
        return result;
    }
    Codeplug& codeplug = *codeplug_;

    bool changed = false;
    int zoneIndex = findZoneByName(codeplug, zoneName_);
    if (zoneIndex < 0) {
        // Going on with a zone that is not in the codeplug would report channels added to nothing.
        if (codeplug.zones().count() >= MaxZones) {
            prompts.message(MessageIcon::Error, MessageButtons::Ok, zone_wizard_text::NoRoomForZone);
            return result;
        }
        Zone zone = codeplug.newZone();
        zone.setName(zoneName_);
        if (!codeplug.addZone(zone)) {
            prompts.message(MessageIcon::Error, MessageButtons::Ok, zone_wizard_text::CreateFailed);
            result.outcome = CommitOutcome::Cancelled;
            return result;
        }
        zoneIndex = codeplug.zones().count() - 1;
        changed = true;
    }
    Zone& zone = *codeplug.zones().at(zoneIndex);
    for (const int row : rows_)
        changed = zone.addMember(codeplug.memberNumberOf(row)) || changed;
    result.zoneIndex = zoneIndex;
    result.report = "Zone " + singleQuoted(zone.name()) + " created or updated with " +
                    std::to_string(zone.memberCount()) + " channels total.";

    const bool wantsScanList = createScanList_ && !scanListName_.empty();
    if (wantsScanList) {
        ScanList list = codeplug.newScanList();
        list.setName(scanListName_);
        for (const int row : rows_)
            list.addMember(codeplug.memberNumberOf(row));
        if (codeplug.addScanList(list)) {
            result.scanListIndex = codeplug.scanLists().count() - 1;
            changed = true;
            result.report += "\r\nScan List " + singleQuoted(list.name()) + " created.";
        } else {
            result.report += "\r\n" + std::string(zone_wizard_text::NoRoomForScanList);
        }
    }
    if (wantsScanList && applyScanList_) {
        // The list just created, even when an older list has the same name; failing that, the
        // list that has the name.
        const int listIndex =
            result.scanListIndex >= 0 ? result.scanListIndex : findScanListByName(codeplug, scanListName_);
        if (listIndex >= 0) {
            for (int i = 0; i < zone.memberCount(); ++i)
                if (Channel* channel = codeplug.channelAt(codeplug.channelIndexOfMember(zone.member(i)));
                    channel && channel->scanList() != listIndex + 1) {
                    channel->setScanList(listIndex + 1);
                    changed = true;
                }
            result.report += "\r\nChannels in zone " + singleQuoted(zone.name()) + " all reference Scan List " +
                             singleQuoted(codeplug.scanListAt(listIndex)->name()) + ".";
        }
    }

    // Channels that are all members already leave the codeplug as it was: nothing to save.
    result.modelChanged = changed;
    if (changed) {
        Codeplug::EditScope edit(codeplug);
        edit.changed();
    }
    result.outcome = CommitOutcome::Accepted;
    prompts.message(MessageIcon::Information, MessageButtons::Ok, result.report);
    return result;
}

} // namespace pw
