// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/d868_fixture.h"

#include "support/fixture_builder.h"

#include <cstring>

namespace pw::test {
namespace {

void putDoubleLe(std::vector<std::uint8_t>& bytes, std::size_t offset, double value)
{
    std::uint64_t raw;
    std::memcpy(&raw, &value, sizeof raw);
    putU32(bytes, offset, static_cast<std::uint32_t>(raw));
    putU32(bytes, offset + 4, static_cast<std::uint32_t>(raw >> 32));
}

void putCText(std::vector<std::uint8_t>& bytes, std::size_t offset, const std::string& text, std::size_t size)
{
    putText(bytes, offset, text.substr(0, size));
}

void appendPattern(std::vector<std::uint8_t>& bytes, int section, std::size_t size)
{
    for (std::size_t i = 0; i < size; ++i)
        bytes.push_back(d868PatternByte(section, i));
}

// A bit writer that knows nothing of the codec: one bit at a time, least significant first.
class BitWriter {
public:
    explicit BitWriter(std::vector<std::uint8_t>& out) : out_(out) {}
    void put7(unsigned value)
    {
        for (unsigned bit = 0; bit < 7; ++bit) {
            if (bits_ % 8 == 0)
                out_.push_back(0);
            if ((value >> bit) & 1u)
                out_.back() = static_cast<std::uint8_t>(out_.back() | (1u << (bits_ % 8)));
            ++bits_;
        }
    }
    void text(const std::string& value)
    {
        for (const char c : value)
            put7(static_cast<unsigned char>(c) & 0x7Fu);
        put7(0);
    }

private:
    std::vector<std::uint8_t>& out_;
    std::size_t bits_ = 0;
};

void appendStream(std::vector<std::uint8_t>& bytes, const std::vector<D868FixtureContact>& contacts)
{
    const auto packed = packD868FixtureContacts(contacts);
    const std::size_t at = bytes.size();
    bytes.resize(at + 4);
    if (packed.empty()) {
        putU32(bytes, at, 1);
        bytes.push_back(1);
        return;
    }
    putU32(bytes, at, static_cast<std::uint32_t>(packed.size() + 1));
    bytes.insert(bytes.end(), packed.begin(), packed.end());
    bytes.push_back(0);
}

} // namespace

std::uint8_t d868PatternByte(int section, std::size_t offset)
{
    return static_cast<std::uint8_t>((offset * 31 + static_cast<std::size_t>(section) * 57 + 11) & 0xFF);
}

std::vector<std::uint8_t> packD868FixtureContacts(const std::vector<D868FixtureContact>& contacts)
{
    std::vector<std::uint8_t> out;
    for (const auto& contact : contacts) {
        const std::uint32_t tail = (contact.recordNumber & 0xFFFFF) |
                                   (static_cast<std::uint32_t>(contact.callType & 3) << 20) |
                                   (static_cast<std::uint32_t>(contact.alertTone & 3) << 22);
        for (int i = 0; i < 3; ++i)
            out.push_back(static_cast<std::uint8_t>(contact.dmrId >> (8 * i)));
        for (int i = 0; i < 3; ++i)
            out.push_back(static_cast<std::uint8_t>(tail >> (8 * i)));
        BitWriter writer(out);
        for (const auto* text : {&contact.name, &contact.city, &contact.callsign, &contact.state, &contact.country,
                                 &contact.remarks})
            writer.text(*text);
    }
    return out;
}

std::vector<std::uint8_t> buildD868Fixture(const D868Fixture& fixture, D868FixtureLayout* layout)
{
    D868FixtureLayout at;
    std::vector<std::uint8_t> bytes(D868HeaderSize + D868CountTableSize, 0);
    putText(bytes, 0, fixture.model);
    // The rest of the header is not interpreted; a pattern shows that it is carried through.
    for (std::size_t i = 16; i < D868HeaderSize; ++i)
        bytes[i] = d868PatternByte(1, i);
    at.countTable = D868HeaderSize;
    std::map<int, std::int32_t> counts = {
        {0, static_cast<std::int32_t>(fixture.channels.size())},
        {1, static_cast<std::int32_t>(fixture.radioIds.size())},
        {2, static_cast<std::int32_t>(fixture.zones.size())},
        {3, static_cast<std::int32_t>(fixture.scanLists.size())},
        {4, fixture.section7Records},
        {5, static_cast<std::int32_t>(fixture.talkgroups.size())},
        {6, static_cast<std::int32_t>(fixture.digitalContacts.size())},
        {7, fixture.section10Records[0]}, {8, fixture.section10Records[1]}, {9, fixture.section10Records[2]},
        {11, fixture.section11Records[0]}, {12, fixture.section11Records[1]}, {13, fixture.section11Records[2]},
        {14, fixture.section12Records},
        {15, static_cast<std::int32_t>(fixture.section13Blocks.size())},
        {16, static_cast<std::int32_t>(fixture.rxGroups.size())},
        // Counts the codec carries through untouched.
        {10, 77}, {42, 4242}, {99, -1},
    };
    for (const auto& [index, value] : fixture.countOverrides)
        counts[index] = value;
    for (const auto& [index, value] : counts)
        putU32(bytes, D868HeaderSize + 4 * static_cast<std::size_t>(index), static_cast<std::uint32_t>(value));

    at.channels = bytes.size();
    for (const auto& channel : fixture.channels) {
        std::vector<std::uint8_t> record(D868ChannelRecordSize, 0);
        putU16(record, 0, static_cast<std::uint32_t>(channel.recordNumber));
        putU16(record, 2, 1);
        putDoubleLe(record, 4, channel.rxMhz);
        putDoubleLe(record, 14, 0.6);
        putU16(record, 22, channel.digital ? 1 : 0);
        putU16(record, 26, 1);
        putU32(record, 50, channel.contact);
        putU16(record, 62, channel.scanList);
        putU16(record, 64, channel.rxGroup);
        putU16(record, 74, 1);
        putCText(record, 92, channel.name, 16);
        putU32(record, 108, 0xFFFFFFFF);
        putU16(record, 112, 0xFFFF);
        for (std::size_t i = 114; i < 212; ++i)
            record[i] = d868PatternByte(3, i);
        putU16(record, 212, channel.tail);
        bytes.insert(bytes.end(), record.begin(), record.end());
    }

    at.radioIds = bytes.size();
    std::uint32_t number = 0;
    for (const auto& radioId : fixture.radioIds) {
        std::vector<std::uint8_t> record(D868RadioIdRecordSize, 0);
        putU16(record, 0, ++number);
        putU16(record, 2, 1);
        putU32(record, 4, radioId.dmrId);
        putU16(record, 8, 0x0505);
        putCText(record, 10, radioId.name, 16);
        bytes.insert(bytes.end(), record.begin(), record.end());
    }

    at.zones = bytes.size();
    number = 0;
    for (const auto& zone : fixture.zones) {
        std::vector<std::uint8_t> record(611, 0);
        putU16(record, 0, ++number);
        putU16(record, 2, 1);
        putU16(record, 4, static_cast<std::uint32_t>(zone.members.size()));
        for (std::size_t i = 0; i < zone.members.size() && i < 250; ++i)
            putU16(record, 6 + 2 * i, zone.members[i]);
        putU16(record, 506, 1);
        putU16(record, 508, 1);
        putCText(record, 520, zone.name, 16);
        record[609] = 0x5A;
        record[610] = 0xA5;
        bytes.insert(bytes.end(), record.begin(), record.end());
    }

    at.scanLists = bytes.size();
    number = 0;
    for (const auto& list : fixture.scanLists) {
        std::vector<std::uint8_t> record(298, 0);
        putU16(record, 0, ++number);
        putU16(record, 2, 1);
        putCText(record, 4, list.name, 16);
        record[28] = 5;
        record[29] = 5;
        record[30] = 1;
        record[31] = 1;
        putU16(record, 32, static_cast<std::uint32_t>(list.members.size()));
        for (std::size_t i = 0; i < list.members.size() && i < 50; ++i)
            putU16(record, 134 + 2 * i, list.members[i]);
        putU16(record, 296, 0x1234);
        bytes.insert(bytes.end(), record.begin(), record.end());
    }

    at.section7 = bytes.size();
    appendPattern(bytes, 7, 52 * static_cast<std::size_t>(fixture.section7Records));
    at.talkgroups = bytes.size();
    appendStream(bytes, fixture.talkgroups);
    at.digitalContacts = bytes.size();
    appendStream(bytes, fixture.digitalContacts);

    at.section10 = bytes.size();
    appendPattern(bytes, 10, 44 * static_cast<std::size_t>(fixture.section10Records[0] + fixture.section10Records[1] +
                                                           fixture.section10Records[2]));
    appendPattern(bytes, 11, 306 * static_cast<std::size_t>(fixture.section11Records[0]));
    at.draftMessages = bytes.size();
    appendPattern(bytes, 12, 306 * static_cast<std::size_t>(fixture.section11Records[1] + fixture.section11Records[2]));
    appendPattern(bytes, 13, 30 * static_cast<std::size_t>(fixture.section12Records));

    at.section13 = bytes.size();
    appendPattern(bytes, 14, 46 * fixture.section13Blocks.size());
    for (const auto& block : fixture.section13Blocks) {
        std::vector<std::uint8_t> head(12, 0);
        putU16(head, 0, 0x0102);
        putU16(head, 2, 1);
        putU32(head, 4, static_cast<std::uint32_t>(block.size()));
        putU32(head, 8, 0xCAFE);
        bytes.insert(bytes.end(), head.begin(), head.end());
        bytes.insert(bytes.end(), block.begin(), block.end());
    }

    at.rxGroups = bytes.size();
    number = 0;
    for (const auto& list : fixture.rxGroups) {
        std::vector<std::uint8_t> record(297, 0);
        putU16(record, 0, ++number);
        putU16(record, 2, 1);
        putCText(record, 4, list.name, 20);
        putU16(record, 39, static_cast<std::uint32_t>(list.members.size()));
        for (std::size_t i = 0; i < list.members.size() && i < 63; ++i)
            putU32(record, 41 + 4 * i, list.members[i]);
        record[296] = 0x77;
        bytes.insert(bytes.end(), record.begin(), record.end());
    }

    at.section15 = bytes.size();
    appendPattern(bytes, 15, fixture.section15Size);
    at.trailing = bytes.size();
    bytes.insert(bytes.end(), fixture.trailingBytes.begin(), fixture.trailingBytes.end());
    at.end = bytes.size();
    if (layout)
        *layout = at;
    return bytes;
}

D868Fixture largestD868Fixture()
{
    D868Fixture f;
    f.channels.clear();
    for (int c = 1; c <= 3998; ++c) {
        D868FixtureChannel channel;
        channel.recordNumber = c;
        channel.name = "Channel " + std::to_string(c);
        channel.rxMhz = 430.0 + c * 0.0125;
        channel.digital = c % 2 == 0;
        channel.contact = static_cast<std::uint32_t>(c % 10000);
        channel.scanList = static_cast<std::uint16_t>(c % 250);
        channel.rxGroup = static_cast<std::uint16_t>(c % 250 + 1);
        f.channels.push_back(channel);
    }
    for (const int special : {4001, 4002}) {
        D868FixtureChannel channel;
        channel.recordNumber = special;
        channel.name = "VFO";
        f.channels.push_back(channel);
    }
    f.zones.clear();
    for (std::uint16_t z = 0; z < 250; ++z)
        f.zones.push_back({"Zone " + std::to_string(z), {z, static_cast<std::uint16_t>(z + 1), static_cast<std::uint16_t>(z + 2)}});
    for (std::uint16_t s = 0; s < 250; ++s)
        f.scanLists.push_back({"Scan " + std::to_string(s), {s, static_cast<std::uint16_t>(s + 3)}});
    for (std::uint32_t r = 0; r < 250; ++r)
        f.rxGroups.push_back({"Group " + std::to_string(r), {r, r + 1, r + 2}});
    for (std::uint32_t t = 1; t <= 10000; ++t) {
        D868FixtureContact tg;
        tg.recordNumber = t;
        tg.dmrId = 90000 + t;
        tg.name = "Talkgroup " + std::to_string(t);
        tg.callType = 1;
        f.talkgroups.push_back(tg);
    }
    for (std::uint32_t d = 1; d <= 160000; ++d) {
        D868FixtureContact person;
        person.recordNumber = d;
        person.dmrId = 1000000 + d;
        person.name = "Operator " + std::to_string(d);
        person.city = "Springfield";
        person.callsign = "K" + std::to_string(d % 100000);
        person.state = "Illinois";
        person.country = "United States";
        person.remarks = "DMR";
        person.callType = 0;
        f.digitalContacts.push_back(person);
    }
    f.section7Records = 100;
    f.section10Records[0] = 100;
    f.section11Records[1] = 100;
    return f;
}

} // namespace pw::test
