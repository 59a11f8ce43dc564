// SPDX-License-Identifier: GPL-3.0-or-later
// The D868 codec: decodes the file of sections into the model and builds a new file from the
// model and the kept sections when the codeplug is saved. The file map is in d868_codec.h.
#include "codeplug/d868/d868_codec.h"

#include "codeplug/codeplug.h"
#include "codeplug/contact_references.h"
#include "codeplug/d868/d868_map.h"
#include "codeplug/d868/d868_records.h"
#include "codeplug/d868/packed_contact_stream.h"
#include "codeplug/d868/radio_ids.h"
#include "codeplug/d868/record_numbers.h"
#include "model/letter_case.h"
#include "platform/file_io.h"

#include <array>

#include <algorithm>
#include <cctype>
#include <optional>
#include <string>
#include <type_traits>

namespace pw::d868 {
namespace {

// Channel block: the contact word (0-based talkgroup record number).
constexpr std::size_t ChannelContact = 50;
constexpr std::size_t ZoneMemberSlots = 250;
constexpr std::size_t ScanListMemberSlots = 50;
// Zone record: record number, in use, member count, members (u16, 0-based channel record numbers).
constexpr std::size_t ZoneNumber = 0, ZoneInUse = 2, ZoneMemberCount = 4, ZoneMembers = 6;
// Scan-list record: record number, member count, members (u16, 0-based channel record numbers).
constexpr std::size_t ScanListNumber = 0, ScanListMemberCount = 32, ScanListMembers = 134;
// RX group record: record number, members (u32, 0-based talkgroup record numbers).
constexpr std::size_t RxGroupNumber = 0, RxGroupMembers = 41;
// Section 13 block head: u16 word, u16 version, u32 length, u32 value.
constexpr std::size_t BlockVersion = 2, BlockLength = 4;

constexpr const char* DraftMessagesShort = "Failed to read draft SMS data.";

// A failed decode leaves its reason in the log and no half-filled model behind (the document
// empties the lists).
bool failDecode(Codeplug& codeplug, D868Data& data, const std::string& line)
{
    data.clearKeptSections();
    codeplug.errorLog().add(line);
    return false;
}

std::string endsEarly(const char* where) { return std::string("Error: The codeplug file ends early, in ") + where + ".\r\n"; }

// Reads the file front to back, never past its end.
class SectionReader {
public:
    explicit SectionReader(ConstBytes file) : file_(file) {}

    std::size_t offset() const { return offset_; }
    std::size_t remaining() const { return file_.size() - offset_; }

    // The next `size` bytes, or nothing (and nothing consumed) when fewer remain.
    std::optional<ConstBytes> take(std::uint64_t size)
    {
        if (size > remaining())
            return std::nullopt;
        const auto part = file_.subspan(offset_, static_cast<std::size_t>(size));
        offset_ += static_cast<std::size_t>(size);
        return part;
    }

    // `records` records of `size` bytes each, counted in 64 bits so no product can wrap.
    std::optional<ConstBytes> takeRecords(std::int32_t records, std::size_t size)
    {
        return take(static_cast<std::uint64_t>(records) * size);
    }

    ConstBytes between(std::size_t begin, std::size_t end) const { return file_.subspan(begin, end - begin); }

private:
    ConstBytes file_;
    std::size_t offset_ = 0;
};

void append(std::vector<std::uint8_t>& to, ConstBytes bytes) { to.insert(to.end(), bytes.begin(), bytes.end()); }

std::string trimmed(const std::string& text)
{
    const auto blank = [](unsigned char c) { return std::isspace(c) != 0; };
    auto begin = std::find_if_not(text.begin(), text.end(), blank);
    auto end = std::find_if_not(text.rbegin(), std::string::const_reverse_iterator(begin), blank).base();
    return std::string(begin, end);
}

class D868Decoder {
public:
    D868Decoder(Codeplug& codeplug, D868Data& data, ConstBytes file)
        : cp_(codeplug), data_(data), log_(codeplug.errorLog()), in_(file), formats_(recordFormats())
    {
    }

    bool run()
    {
        data_.clearKeptSections();
        const auto head = in_.take(D868Data::HeaderSize + D868Data::CountTableSize);
        if (!head)
            return failDecode(cp_, data_, endsEarly("the header"));
        data_.header.assign(head->begin(), head->begin() + D868Data::HeaderSize);
        data_.countTable.assign(head->begin() + D868Data::HeaderSize, head->end());
        if (const auto problem = countProblem())
            return failDecode(cp_, data_, *problem);

        if (!readChannels() || !readRadioIds() || !readZones() || !readScanLists() || !readSection7() ||
            !readContactStream("the talkgroups", TalkgroupCount, true))
            return false;
        convertChannelContacts();
        if (!readContactStream("the digital contacts", DigitalContactCount, false) || !readSections10To13() ||
            !readRxGroups() || !readSection15())
            return false;
        data_.decoded = true;
        return true;
    }

private:
    std::int32_t count(int index) const { return data_.count(index); }

    // Counts that no file can hold end the decode before anything is read.
    std::optional<std::string> countProblem() const
    {
        for (int index = 0; index <= RxGroupCount; ++index)
            if (index != 10 && count(index) < 0)
                return "Error: The count table gives a negative count C" + std::to_string(index) + ".\r\n";
        if (count(ChannelCount) < 1 || count(ChannelCount) > MostChannelRecords)
            return std::string("Error: The count table gives no channel records or more than 4002.\r\n");
        if (count(TalkgroupCount) > MostTalkgroups)
            return std::string("Error: The codeplug file holds more than 10000 talkgroups.\r\n");
        if (count(DigitalContactCount) > MostDigitalContacts)
            return std::string("Error: The codeplug file holds more than 160000 digital contacts.\r\n");
        return std::nullopt;
    }

    bool fail(const std::string& line)
    {
        failDecode(cp_, data_, line);
        return false;
    }

    bool readChannels()
    {
        const auto records = in_.takeRecords(count(ChannelCount), ChannelRecordSize);
        if (!records)
            return fail(endsEarly("the channel records"));
        int position = 0;
        const Channel prototype(*formats_.channel);
        for (std::size_t r = 0; r < static_cast<std::size_t>(count(ChannelCount)); ++r) {
            const auto record = records->subspan(r * ChannelRecordSize, ChannelRecordSize);
            const int number = getU16Le(record, 0);
            if (number == SpecialChannelA || number == SpecialChannelB) {
                append(data_.specialChannels, record);
                continue;
            }
            if (number > LastChannelNumber)
                continue;
            auto channel = std::make_unique<Channel>(prototype);
            channel->setFamilyRecord(record);
            ChannelRecordFormat::load(*channel);
            channel->setName(trimmed(channel->name()));
            ++position;
            channelNumbers_.add(static_cast<std::uint32_t>(number), position);
            cp_.channels().append(std::move(channel));
        }
        return true;
    }

    bool readRadioIds()
    {
        if (count(RadioIdCount) == 0) {
            log_.add("Error: No Radio IDs defined in codeplug. Default Radio ID 'My Radio' established at index 0.\r\n");
            data_.setCount(RadioIdCount, 1);
            data_.radioIds.assign(RadioIdRecordSize, 0);
            setU16Le(data_.radioIds, 0, 1);
            setU16Le(data_.radioIds, 2, 1);
            setU32Le(data_.radioIds, 4, 12345678);
            setCString(data_.radioIds, 10, 27, "My Radio", 27);
            return true;
        }
        const auto records = in_.takeRecords(count(RadioIdCount), RadioIdRecordSize);
        if (!records)
            return fail(endsEarly("the radio IDs"));
        data_.radioIds.assign(records->begin(), records->end());
        return true;
    }

    // Zone and scan-list members are 0-based channel record numbers in the file. Each becomes the
    // table position of its channel; one that names no channel is removed and logged.
    template <typename List>
    void convertChannelMembers(List& list)
    {
        int i = 0;
        while (i < list.memberCount()) {
            const int stored = list.member(i);
            const int position = channelNumbers_.denseValue(static_cast<std::uint64_t>(stored) + 1);
            if (position > 0) {
                list.setMember(i, position);
                ++i;
                continue;
            }
            list.removeMember(i);
            if constexpr (std::is_same_v<List, Zone>)
                log_.add("Invalid channel index " + std::to_string(stored) + " in zone '" + list.name() +
                         "'; channel reference ignored, and zone corrected.\r\n");
            else
                log_.add("Invalid channel index " + std::to_string(stored) + " in scanlist '" + list.name() +
                         "'; scan list corrected.\r\n");
        }
    }

    bool readZones()
    {
        if (count(ZoneCount) == 0) {
            log_.add("Error: No zones defined in codeplug. Default zone 'Zone 1' established.\r\n");
            auto zone = std::make_unique<Zone>(*formats_.zone);
            zone->setName("Zone 1");
            if (!cp_.channels().empty())
                zone->addMember(1);
            cp_.zones().append(std::move(zone));
            data_.setCount(ZoneCount, 1);
            return true;
        }
        return readListTable(ZoneCount, ZoneRecordSize, "the zones", Zone(*formats_.zone), cp_.zones(),
                             [this](Zone& zone) { convertChannelMembers(zone); });
    }

    // The records the count table gives at `countIndex`, of `size` bytes each: each a copy of
    // `prototype` holding its bytes, its members turned from record numbers into table positions by
    // `convertMembers`, appended to `list`. False when the file ends before them.
    template <typename Record, typename ConvertMembers>
    bool readListTable(int countIndex, std::size_t size, const char* what, const Record& prototype,
                       RecordList<Record>& list, ConvertMembers convertMembers)
    {
        const auto records = in_.takeRecords(count(countIndex), size);
        if (!records)
            return fail(endsEarly(what));
        for (std::size_t at = 0; at + size <= records->size(); at += size) {
            auto item = std::make_unique<Record>(prototype);
            const auto record = records->subspan(at, size);
            item->setFamilyRecord(record);
            convertMembers(*item);
            list.append(std::move(item));
        }
        return true;
    }

    bool readScanLists()
    {
        return readListTable(ScanListCount, ScanListRecordSize, "the scan lists", ScanList(*formats_.scanList),
                             cp_.scanLists(), [this](ScanList& list) { convertChannelMembers(list); });
    }

    bool readSection7()
    {
        const auto records = in_.takeRecords(count(Section7Count), Section7RecordSize);
        if (!records)
            return fail(endsEarly("section 7"));
        data_.section7.assign(records->begin(), records->end());
        return true;
    }

    // A stream: its u32 length, then that many bytes.
    std::optional<ConstBytes> readStream()
    {
        const auto length = in_.take(4);
        if (!length)
            return std::nullopt;
        return in_.take(getU32Le(*length, 0));
    }

    // The stream's entries go straight into the contact list, each touched once: the contacts of
    // a large file are far more than the cache holds, so a second pass would read them from memory.
    void appendContacts(ConstBytes stream, std::int32_t entries, bool talkgroups)
    {
        auto& contacts = cp_.contacts();
        const auto most = possibleEntries(stream, static_cast<std::size_t>(entries));
        // Only the room needed: a list that doubles as it grows may leave half its room unused.
        contacts.reserve(contacts.count() + static_cast<int>(most));
        Contact prototype = this->prototype();
        prototype.setTalkgroup(talkgroups);
        unpackContactStream(stream, most, [&](std::uint32_t number) -> Contact& {
            Contact& contact = contacts.emplaceBack(prototype);
            if (talkgroups)
                talkgroupNumbers_.add(number, contacts.count());
            return contact;
        });
    }

    // The talkgroups' or the digital contacts' stream, `what` in the message of a file that ends in it.
    bool readContactStream(const char* what, int countIndex, bool talkgroups)
    {
        const auto stream = readStream();
        if (!stream)
            return fail(endsEarly(what));
        appendContacts(*stream, count(countIndex), talkgroups);
        return true;
    }

    // A digital channel's contact is a 0-based talkgroup record number in the file; it becomes the
    // talkgroup's table position. One that names no talkgroup is set to none and logged.
    void convertChannelContacts()
    {
        for (const auto& channel : cp_.channels()) {
            if (!channel->isDigital())
                continue;
            const std::uint64_t number = std::uint64_t{getU32Le(channel->familyRecord(), ChannelContact)} + 1;
            const int position = talkgroupNumbers_.denseValue(number);
            if (position > 0) {
                channel->setTxContact(position);
                channel->refreshContactName(cp_.contacts());
                continue;
            }
            log_.add("Error: Invalid contact index of " + std::to_string(number) + " in digital channel '" +
                     channel->name() + "' -- now set to NONE.\r\n");
            channel->setTxContact(0);
        }
    }

    bool readSections10To13()
    {
        const std::size_t begin = in_.offset();
        const std::int64_t tables10 = std::int64_t{count(7)} + count(8) + count(9);
        if (!in_.take(static_cast<std::uint64_t>(tables10) * Section10RecordSize))
            return fail(endsEarly("section 10"));
        if (!in_.takeRecords(count(11), Section11RecordSize))
            return fail(endsEarly("section 11"));
        if (!in_.takeRecords(count(12), Section11RecordSize)) {
            cp_.addMessage(DraftMessagesShort);
            return fail(std::string(DraftMessagesShort) + "\r\n");
        }
        if (!in_.takeRecords(count(13), Section11RecordSize))
            return fail(endsEarly("section 11"));
        if (!in_.takeRecords(count(14), Section12RecordSize))
            return fail(endsEarly("section 12"));
        const auto tables = in_.between(begin, in_.offset());
        data_.sections10To12.assign(tables.begin(), tables.end());

        const std::size_t section13 = in_.offset();
        if (!in_.takeRecords(count(Section13Count), Section13RecordSize))
            return fail(endsEarly("section 13"));
        // Every block is at least its head long, so a hostile count ends this loop at the end of
        // the file.
        for (std::int32_t block = 0; block < count(Section13Count); ++block) {
            const auto head = in_.take(Section13BlockHeadSize);
            if (!head)
                return fail(endsEarly("section 13"));
            const auto version = getU16Le(*head, BlockVersion);
            if (version != 1)
                return fail("Error: Block " + std::to_string(block + 1) + " of section 13 has version " +
                            std::to_string(version) + "; only version 1 is known.\r\n");
            if (!in_.take(getU32Le(*head, BlockLength)))
                return fail(endsEarly("section 13"));
        }
        const auto kept = in_.between(section13, in_.offset());
        data_.section13.assign(kept.begin(), kept.end());
        return true;
    }

    bool readRxGroups()
    {
        return readListTable(RxGroupCount, RxGroupRecordSize, "the RX group lists", RxGroupList(*formats_.rxGroupList),
                             cp_.rxGroupLists(), [this](RxGroupList& list) { convertTalkgroupMembers(list); });
    }

    // Members are 0-based talkgroup record numbers; one that names no talkgroup goes.
    void convertTalkgroupMembers(RxGroupList& list)
    {
        list.loadMemberCount();
        int i = 0;
        while (i < list.memberCount()) {
            const auto stored = getU32Le(list.familyRecord(), RxGroupMembers + 4 * static_cast<std::size_t>(i));
            const int position = talkgroupNumbers_.denseValue(std::uint64_t{stored} + 1);
            if (position > 0) {
                list.setMember(i, position);
                ++i;
                continue;
            }
            list.removeMember(i);
            log_.add("Invalid digital contact index " + std::to_string(stored) + " in RxGroup '" + list.name() +
                     "'\r\n");
        }
    }

    bool readSection15()
    {
        if (in_.remaining() < Section15Required)
            return fail(endsEarly("section 15"));
        const auto section = in_.take(std::min(Section15Size, in_.remaining()));
        data_.section15.assign(section->begin(), section->end());
        const auto rest = in_.take(in_.remaining());
        data_.trailingBytes.assign(rest->begin(), rest->end());
        return true;
    }

    const Contact& prototype()
    {
        if (!contactPrototype_)
            contactPrototype_.emplace(*formats_.contact);
        return *contactPrototype_;
    }

    Codeplug& cp_;
    D868Data& data_;
    ErrorLog& log_;
    SectionReader in_;
    const RecordFormats& formats_;
    std::optional<Contact> contactPrototype_;
    RecordNumbering channelNumbers_{static_cast<std::size_t>(LastChannelNumber)};
    RecordNumbering talkgroupNumbers_{static_cast<std::size_t>(MostTalkgroups)};
};

// Writes a stream as its length word, the packed entries and the extra byte.
bool writeStream(ByteSink& out, const std::vector<const Contact*>& contacts)
{
    const std::size_t packed = packedStreamSize(contacts);
    if (packed > LongestPackedStream)
        return false;
    std::array<std::uint8_t, 4> length{};
    setU32Le(length, 0, static_cast<std::uint32_t>(packed + 1));
    // An empty list is the length 1 and one byte of 1; otherwise the extra byte is 0.
    const std::array<std::uint8_t, 1> extra = {static_cast<std::uint8_t>(packed == 0 ? 1 : 0)};
    return out.write(length) && packContactStream(contacts, out) && out.write(extra);
}

// Writes the file from the model and the kept sections, section by section; false when it cannot
// be built (`why` then tells the reason) or the sink fails. `counts` receives the count table written.
bool writeD868File(Codeplug& codeplug, const D868Data& data, ByteSink& sink, std::vector<std::uint8_t>& counts,
                   std::string& why)
{
    if (!data.decoded || data.header.size() != D868Data::HeaderSize || data.countTable.size() != D868Data::CountTableSize) {
        why = "the codeplug was not decoded whole";
        return false;
    }
    auto& contacts = codeplug.contacts();
    const int contactCount = contacts.count();

    // Contacts that a channel transmits to or an RX group list holds must be talkgroups: only
    // those can be referred to in the file.
    const auto referenced = referencedContacts(codeplug);
    for (int i = 0; i < contactCount; ++i)
        if (referenced[static_cast<std::size_t>(i)])
            contacts.at(i)->setTalkgroup(true);

    // The split, in table order; talkgroupOf maps a table position to its talkgroup number.
    std::vector<const Contact*> talkgroups;
    std::vector<const Contact*> digitalContacts;
    digitalContacts.reserve(static_cast<std::size_t>(contactCount));
    std::vector<std::uint32_t> talkgroupOf(static_cast<std::size_t>(contactCount) + 1, 0);
    for (int i = 0; i < contactCount; ++i) {
        const Contact* contact = contacts.at(i);
        if (contact->isTalkgroup()) {
            talkgroups.push_back(contact);
            talkgroupOf[static_cast<std::size_t>(i) + 1] = static_cast<std::uint32_t>(talkgroups.size());
        } else {
            digitalContacts.push_back(contact);
        }
    }
    // A reference becomes the 0-based number of its talkgroup; one that names none stays as it is.
    auto talkgroupWord = [&talkgroupOf, contactCount](int position, std::uint32_t unchanged) {
        if (position < 1 || position > contactCount || talkgroupOf[static_cast<std::size_t>(position)] == 0)
            return unchanged;
        return talkgroupOf[static_cast<std::size_t>(position)] - 1;
    };

    // A file that recognition would refuse is not written.
    const std::size_t specialRecords = data.specialChannels.size() / ChannelRecordSize;
    const std::size_t channelRecords = static_cast<std::size_t>(codeplug.channels().count()) + specialRecords;
    if (channelRecords < 1 || channelRecords > static_cast<std::size_t>(MostChannelRecords)) {
        why = std::to_string(codeplug.channels().count()) + " channels: a D868 file holds 1 to " +
              std::to_string(LastChannelNumber);
        return false;
    }
    if (talkgroups.size() > static_cast<std::size_t>(MostTalkgroups)) {
        why = std::to_string(talkgroups.size()) + " talkgroups (contacts that channels and RX group lists use, or "
              "group calls): a D868 file holds at most " + std::to_string(MostTalkgroups);
        return false;
    }
    if (digitalContacts.size() > static_cast<std::size_t>(MostDigitalContacts)) {
        why = std::to_string(digitalContacts.size()) + " private contacts: a D868 file holds at most " +
              std::to_string(MostDigitalContacts);
        return false;
    }

    counts = data.countTable;
    auto setCount = [&counts](int index, std::size_t value) {
        setU32Le(counts, 4 * static_cast<std::size_t>(index), static_cast<std::uint32_t>(value));
    };
    setCount(ChannelCount, channelRecords);
    setCount(RadioIdCount, data.radioIds.size() / RadioIdRecordSize);
    setCount(ZoneCount, static_cast<std::size_t>(codeplug.zones().count()));
    setCount(ScanListCount, static_cast<std::size_t>(codeplug.scanLists().count()));
    setCount(TalkgroupCount, talkgroups.size());
    setCount(DigitalContactCount, digitalContacts.size());
    setCount(RxGroupCount, static_cast<std::size_t>(codeplug.rxGroupLists().count()));

    // Written in large pieces, so that even the largest file takes few system calls.
    BufferedSink out(sink, 1 << 18);
    // Records are renumbered 1..n as they are written; `patch` fixes one record's copy.
    std::vector<std::uint8_t> record;
    const auto writeRecord = [&out, &record](ConstBytes stored, std::size_t size,
                                             const auto& patch) {
        record.assign(stored.begin(), stored.end());
        record.resize(size, 0);
        patch(Bytes(record));
        return out.write(record);
    };

    bool ok = out.write(data.header) && out.write(counts);
    std::uint32_t number = 0;
    for (const auto& channel : codeplug.channels()) {
        ok = ok && writeRecord(channel->familyRecord(), ChannelRecordSize, [&](Bytes block) {
            setU16Le(block, 0, ++number);
            setU16Le(block, 2, 1);
            if (channel->isDigital())
                setU32Le(block, ChannelContact, talkgroupWord(channel->txContact(), getU32Le(block, ChannelContact)));
        });
    }
    ok = ok && out.write(data.specialChannels) && out.write(data.radioIds);

    // Zone and scan-list members go back to 0-based channel record numbers.
    number = 0;
    for (const auto& zone : codeplug.zones()) {
        ok = ok && writeRecord(zone->familyRecord(), ZoneRecordSize, [&](Bytes r) {
            setU16Le(r, ZoneNumber, ++number);
            setU16Le(r, ZoneInUse, 1);
            const std::size_t members = std::min<std::size_t>(getU16Le(r, ZoneMemberCount), ZoneMemberSlots);
            for (std::size_t i = 0; i < members; ++i)
                if (const auto member = getU16Le(r, ZoneMembers + 2 * i); member > 0)
                    setU16Le(r, ZoneMembers + 2 * i, member - 1u);
        });
    }
    number = 0;
    for (const auto& list : codeplug.scanLists()) {
        ok = ok && writeRecord(list->familyRecord(), ScanListRecordSize, [&](Bytes r) {
            setU16Le(r, ScanListNumber, ++number);
            const std::size_t members = std::min<std::size_t>(getU16Le(r, ScanListMemberCount), ScanListMemberSlots);
            for (std::size_t i = 0; i < members; ++i)
                if (const auto member = getU16Le(r, ScanListMembers + 2 * i); member > 0)
                    setU16Le(r, ScanListMembers + 2 * i, member - 1u);
        });
    }
    ok = ok && out.write(data.section7) && writeStream(out, talkgroups) && writeStream(out, digitalContacts) &&
         out.write(data.sections10To12) && out.write(data.section13);

    number = 0;
    for (const auto& list : codeplug.rxGroupLists()) {
        ok = ok && writeRecord(list->familyRecord(), RxGroupRecordSize, [&](Bytes r) {
            setU16Le(r, RxGroupNumber, ++number);
            for (int i = 0; i < list->memberCount(); ++i) {
                const std::size_t at = RxGroupMembers + 4 * static_cast<std::size_t>(i);
                setU32Le(r, at, talkgroupWord(list->member(i), getU32Le(r, at)));
            }
        });
    }
    return ok && out.write(data.section15) && out.write(data.trailingBytes) && out.flush();
}

} // namespace

// ---- Recognition ----

bool isD868File(const FileContent& file)
{
    constexpr std::size_t wanted = D868Data::HeaderSize + D868Data::CountTableSize;
    const auto& bytes = file.bytes;
    if (bytes.size() < wanted)
        return false;
    // The model text is the first eight bytes, compared ignoring case. Newer vendor software writes
    // a version after them ("D868UVE " 07 00 "V102"); the count table below decides the rest, and
    // the header is written back whole.
    const std::string model(bytes.begin(), bytes.begin() + 8);
    if (!equalsIgnoringCase(model, "D868UVE ") && !equalsIgnoringCase(model, "D6X2UV  "))
        return false;
    D868Data data;
    data.countTable.assign(bytes.begin() + D868Data::HeaderSize, bytes.begin() + wanted);
    const auto channels = data.count(ChannelCount);
    return channels >= 1 && channels <= MostChannelRecords && data.count(ZoneCount) >= 0 &&
           data.count(DigitalContactCount) <= MostDigitalContacts && data.count(TalkgroupCount) <= MostTalkgroups;
}

std::unique_ptr<FormatCodec> takeD868File(FileContent file) { return std::make_unique<D868Codec>(std::move(file)); }

// ---- The codec ----

D868Codec::D868Codec(FileContent file) : file_(std::move(file.bytes))
{
    constexpr std::size_t head = D868Data::HeaderSize + D868Data::CountTableSize;
    data_.header.assign(file_.begin(), file_.begin() + D868Data::HeaderSize);
    data_.countTable.assign(file_.begin() + D868Data::HeaderSize, file_.begin() + head);
}

bool D868Codec::decode(Codeplug& codeplug)
{
    if (file_.size() > LargestFile)
        return failDecode(codeplug, data_, "Error: The codeplug file is too large to be a D868 codeplug.\r\n");
    const bool result = D868Decoder(codeplug, data_, file_).run();
    // Everything the model and the kept sections need is taken; the file's bytes are not needed again.
    std::vector<std::uint8_t>().swap(file_);
    return result;
}

std::string D868Codec::radioName() const { return d868RadioName(data_); }
void D868Codec::setRadioName(std::string_view name) { setD868RadioName(data_, name); }
std::uint32_t D868Codec::radioDmrId() const { return d868RadioDmrId(data_); }
void D868Codec::setRadioDmrId(std::uint32_t id) { setD868RadioDmrId(data_, id); }

void D868Codec::saved()
{
    data_.countTable = writtenCounts_;
}

bool D868Codec::writeFile(Codeplug& codeplug, ByteSink& sink, std::string& why)
{
    return writeD868File(codeplug, data_, sink, writtenCounts_, why);
}

} // namespace pw::d868
