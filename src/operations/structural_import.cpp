// SPDX-License-Identifier: GPL-3.0-or-later
#include "operations/structural_import.h"

#include "codeplug/codeplug.h"
#include "model/letter_case.h"
#include "model/list_support.h"
#include "model/unicode_text.h"
#include "operations/channel_line.h"
#include "operations/contact_transfer.h"
#include "operations/transfer_command_support.h"
#include "platform/prompts.h"
#include "platform/work_progress.h"

#include <unordered_map>

namespace pw {

const char* const StructuralImportHelpText =
    "                                     STRUCTURAL IMPORT\r\n\r\nCheck the boxes corresponding to the components "
    "that you wish to import from another codeplug. Plugwright will incorporate the information into the "
    "currently open codeplug.\r\n\r\nBe aware that these are listed to reflect dependencies from TOP TO BOTTOM. "
    "For example, RxGroups depend on Contacts, Channels depend on Contacts, and Zones depend on Channels to work "
    "correctly. Unchecking higher-level structures may result in incomplete import of dependent items.\r\n\r\n"
    "Best results will be obtained with empty or minimal information in the recipient codeplug. Duplicate "
    "contacts (as determined by DMR-MARC ID and names) and channels (as determined by names) are not imported.";

namespace {

using list_support::equalsIgnoringCase;
using list_support::findNamed;
using transfer_commands::CodeplugFileFilter;
using transfer_commands::importFileRequest;

constexpr const char* NothingSelectedReport = "Error: No structures selected to import.";
constexpr const char* ReceiveGroupsNotice =
    "AnyTone Codeplug: Receive Groups selected for structural import.\r\nWe recommend that importing receive "
    "groups for this family of radios only be\r\ndone if the purpose and effect of the group import is "
    "understood.";

// Names of scan lists and zones, and the highest number tried after a taken one.
constexpr std::size_t ListNameLimit = 16;
constexpr int LastRenameNumber = 9998;

std::string lowerCase(std::string_view text)
{
    std::string key(text);
    for (auto& c : key)
        c = lowerAscii(c);
    return key;
}

// The working codeplug's channels by name, as findChannelByName finds them (first of a name,
// letter case ignored, a name brought to the format's alphabet), without a walk of up to 4000
// channels for each member of each list.
class ChannelNames {
public:
    explicit ChannelNames(const Codeplug& codeplug)
        : format_(codeplug.loaded() ? codeplug.codec().recordFormats().channel : nullptr)
    {
        const auto& channels = codeplug.channels();
        index_.reserve(static_cast<std::size_t>(channels.count()));
        for (int i = 0; i < channels.count(); ++i)
            index_.try_emplace(lowerCase(channels.at(i)->name()), i);
    }

    int find(std::string_view name) const
    {
        const auto found = index_.find(lowerCase(format_ ? format_->lookupName(name) : std::string(name)));
        return found == index_.end() ? -1 : found->second;
    }

private:
    const ChannelFormat* format_;
    std::unordered_map<std::string, int> index_;
};

// Gives a scan list or zone whose name is taken the first free name formed from the name and the
// numbers 1, 2, 3 ... The name is shortened to leave room for the number: a 16-character name
// with the number after it would lose the number again and clash once more.
template <typename Record>
void giveFreeName(const RecordList<Record>& existing, Record& record)
{
    const std::string original = record.name();
    if (findNamed(existing, original) < 0)
        return;
    for (int number = 1; number <= LastRenameNumber; ++number) {
        const auto suffix = std::to_string(number);
        record.setName(std::string(utf8FirstCharacters(original, ListNameLimit - suffix.size())) + suffix);
        if (findNamed(existing, record.name()) < 0)
            return;
    }
    record.setName(original);
}

// What bringing one record in did.
enum class Brought { In, NotIn, TableFull };

Brought broughtIf(bool added) { return added ? Brought::In : Brought::NotIn; }

// Brings in the records of `sources` through `bring`, one step of the bar each, and counts those
// that went in. A full table ends the walk.
template <typename Record, typename Bring>
int bringIn(const RecordList<Record>& sources, ProgressStage& progress, Bring bring)
{
    int imported = 0;
    for (const auto& source : sources) {
        progress.step();
        const Brought brought = bring(*source);
        if (brought == Brought::TableFull)
            break;
        imported += brought == Brought::In ? 1 : 0;
    }
    return imported;
}

int importRxGroupLists(Codeplug& working, const Codeplug& other, ProgressStage& progress)
{
    if (!working.loaded() || !other.loaded() || other.rxGroupLists().empty())
        return 0;
    const ContactIndex contacts(working);
    return bringIn(other.rxGroupLists(), progress, [&](const RxGroupList& source) {
        RxGroupList list = working.newRxGroupList();
        list.setName(source.name());
        for (int i = 0; i < source.memberCount(); ++i) {
            const Contact* member = other.contactAt(source.member(i) - 1);
            if (!member)
                continue;
            const int found = contacts.findByName(member->name());
            if (found >= 0)
                list.addMember(found + 1);
        }
        return broughtIf(working.addRxGroupList(list));
    });
}

int importChannels(Codeplug& working, const Codeplug& other, ProgressStage& progress)
{
    const ContactIndex contacts(working);
    const bool d868 = working.family() == FormatFamily::D868Family;
    const int imported = bringIn(other.channels(), progress, [&](const Channel& source) {
        const auto line = ChannelLine::write(source, other);
        Channel channel = working.newChannel();
        if (ChannelLine::read(line, channel, &working, &contacts) != ChannelLineRead::Read)
            return Brought::NotIn;
        if (d868) {
            channel.setTalkaround(false);
            channel.setPrivacy(false);
        }
        const AddResult result = working.addChannel(channel);
        return result == AddResult::TableFullRefused ? Brought::TableFull : broughtIf(result == AddResult::Added);
    });
    if (imported > 0)
        working.markChanged();
    return imported;
}

int importScanLists(Codeplug& working, const Codeplug& other, ProgressStage& progress)
{
    const ChannelNames channels(working);
    return bringIn(other.scanLists(), progress, [&](const ScanList& source) {
        // The members are looked up by name directly rather than through the scan list's text line,
        // which has no form for a list without members and no quoting for names with quotes.
        ScanList list = working.newScanList();
        list.setName(std::string(utf8FirstCharacters(source.name(), ListNameLimit)));
        for (int i = 0; i < source.entryCount(); ++i) {
            if (source.member(i) == 0)
                continue;
            const Channel* member = other.channelAt(other.channelIndexOfMember(source.member(i)));
            if (!member)
                continue;
            const int found = channels.find(member->name());
            if (found >= 0)
                list.addMember(working.memberNumberOf(found));
        }
        giveFreeName(working.scanLists(), list);
        return broughtIf(working.addScanList(list));
    });
}

// Points the working codeplug's channels at the scan lists that the other codeplug's channels of
// the same names use, now that those lists are there.
void repairChannelScanLists(Codeplug& working, const Codeplug& other, ProgressStage& progress)
{
    const ChannelNames channels(working);
    for (const auto& source : other.channels()) {
        progress.step();
        if (source->scanList() == 0)
            continue;
        const ScanList* used = other.scanListAt(source->scanList() - 1);
        if (!used)
            continue;
        Channel* target = working.channelAt(channels.find(source->name()));
        if (!target)
            continue;
        const int list = findNamed(working.scanLists(), std::string(utf8FirstCharacters(used->name(), ListNameLimit)));
        if (list < 0 || target->scanList() == list + 1)
            continue;
        target->setScanList(list + 1);
        working.markChanged();
    }
}

int importZones(Codeplug& working, const Codeplug& other, ProgressStage& progress)
{
    const ChannelNames channels(working);
    const bool rdb = working.family() == FormatFamily::RdbFamily;
    return bringIn(other.zones(), progress, [&](const Zone& original) {
        if (original.memberCount() == 0)
            return Brought::NotIn;
        Zone source(original);
        Zone zone = working.newZone();
        zone.setName(source.name());
        giveFreeName(working.zones(), zone);
        const int banks = std::min(zone.bankCount(), source.bankCount());
        bool anyMember = false;
        for (int bank = 1; bank <= banks; ++bank) {
            source.selectBank(bank);
            zone.selectBank(bank);
            for (int i = 0; i < source.memberCount(); ++i) {
                const Channel* member = other.channelAt(other.channelIndexOfMember(source.member(i)));
                if (!member)
                    continue;
                const int found = channels.find(member->name());
                if (found >= 0 && zone.addMember(working.memberNumberOf(found)))
                    anyMember = true;
            }
        }
        zone.selectBank(1);
        // The RDB radios want a member in every zone.
        if (rdb && !anyMember)
            zone.addMember(working.memberNumberOf(0));
        return broughtIf(working.addZone(zone));
    });
}

// The records of `other` that the chosen kinds walk, one step of the bar each.
std::int64_t recordsToWalk(const Codeplug& other, unsigned options)
{
    std::int64_t records = 0;
    if (options & (ImportGroupContacts | ImportPrivateContacts))
        records += other.contacts().count();
    if (options & ImportRxGroups)
        records += other.rxGroupLists().count();
    if (options & ImportChannels)
        records += other.channels().count();
    if (options & ImportScanLists)
        records += other.scanLists().count() + other.channels().count();
    if (options & ImportZones)
        records += other.zones().count();
    return records;
}

// The import proper, its records filling the bar from `first` to 90 %; the image is written when
// every part is in, which takes the rest.
StructuralImportCounts importKinds(Codeplug& working, const Codeplug& other, unsigned options, WorkProgress* progress,
                                   int first)
{
    StructuralImportCounts counts;
    // A codeplug's own tables would grow under the walks over them.
    if (&working == &other || !working.loaded())
        return counts;
    ProgressStage records(progress, recordsToWalk(other, options), first, ProgressScale * 9 / 10);
    // One edit: the model is encoded once, when every part is in.
    Codeplug::EditScope edit(working);
    if (options & (ImportGroupContacts | ImportPrivateContacts))
        counts.contacts = mergeContactsFromCodeplug(working, &other, false,
                                                    options & (ImportGroupContacts | ImportPrivateContacts), nullptr,
                                                    &records);
    if (options & ImportRxGroups)
        counts.rxGroups = importRxGroupLists(working, other, records);
    if (options & ImportChannels)
        counts.channels = importChannels(working, other, records);
    if (options & ImportScanLists) {
        counts.scanLists = importScanLists(working, other, records);
        repairChannelScanLists(working, other, records);
    }
    if (options & ImportZones)
        counts.zones = importZones(working, other, records);
    records.finish();
    return counts;
}

} // namespace

StructuralImportCounts importStructuresFrom(Codeplug& working, const Codeplug& other, unsigned options,
                                            WorkProgress* progress)
{
    ProgressRun run(progress);
    return importKinds(working, other, options, progress, 0);
}

std::string structuralImportReport(const std::string& path, unsigned options, const StructuralImportCounts& counts)
{
    std::string report = "Results of import from " + path + ":\r\n\r\n";
    auto line = [&report](int count, const char* text) { report += std::to_string(count) + text; };
    if (options & (ImportGroupContacts | ImportPrivateContacts))
        line(counts.contacts, " contacts imported.\r\n");
    if (options & ImportRxGroups)
        line(counts.rxGroups, " Rx Groups imported.\r\n");
    if (options & ImportChannels)
        line(counts.channels, " channels imported.\r\n");
    if (options & ImportScanLists)
        line(counts.scanLists, " scan lists imported.\r\n");
    if (options & ImportZones)
        line(counts.zones, " zones imported.\r\n");
    return report;
}

bool importStructures(Codeplug& working, const std::filesystem::path& path, unsigned options, std::string& report,
                      StructuralImportCounts* counts, WorkProgress* progress)
{
    ProgressRun run(progress);
    report.clear();
    if ((options & ImportAllKinds) == 0) {
        report = NothingSelectedReport;
        return false;
    }
    if (!working.loaded())
        return false;
    // Reading the other file takes the bar to 20 %, at once when it is read.
    constexpr int Opened = ProgressScale / 5;
    ProgressStage opening(progress, 1, 0, Opened);
    Codeplug other;
    if (!other.open(path) || !other.decode())
        return false;
    opening.finish();
    const auto imported = importKinds(working, other, options, progress, Opened);
    report = structuralImportReport(path.string(), options, imported);
    if (counts)
        *counts = imported;
    return true;
}

CommandResult importStructuresCommand(Codeplug& working, Prompts& prompts, unsigned options, ListTabState& state,
                                      const std::function<void()>& showImported, WorkProgress* progress)
{
    CommandResult result;
    if (!working.loaded()) {
        prompts.inform(transfer_commands::OpenCodeplugFirstMessage);
        result.refused = true;
        return result;
    }
    const auto path = prompts.chooseFile(
        importFileRequest("Import Structures from a different Codeplug File...", CodeplugFileFilter, "Import >"));
    if (!path)
        return result;

    const bool changedBefore = working.changed();
    std::string report;
    bool imported = false;
    {
        BusyScope busy(prompts);
        imported = importStructures(working, *path, options, report, nullptr, progress);
    }
    result.refresh = TabList::Contacts | TabList::Channels | TabList::Zones | TabList::ScanLists | TabList::RxGroups;
    result.modelChanged = working.changed() && !changedBefore;
    state.fitTo(working);
    if (!working.scanLists().empty())
        state.currentScanList = 0;
    if (showImported)
        showImported();
    if (imported) {
        prompts.inform(report);
    } else {
        prompts.error(StructuralImportFailure + report);
        result.refused = true;
    }
    return result;
}

bool receiveGroupsSwitchedOn(const Codeplug& working, Prompts& prompts)
{
    if (!working.loaded() || working.family() != FormatFamily::D868Family)
        return false;
    prompts.inform(ReceiveGroupsNotice);
    return true;
}

} // namespace pw
