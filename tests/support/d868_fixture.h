// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Builds populated D868 files in memory: channels (with record-number gaps and the special
// records 4001 and 4002), radio IDs, zones, scan lists, talkgroups, digital contacts, RX group
// lists, every kept section filled with a recognisable pattern, and bytes after the last section.
//
// References are given as the file stores them: zone and scan-list members as 0-based channel
// record numbers, a channel's contact and RX group members as 0-based talkgroup record numbers.
// The contact streams are packed here bit by bit, independently of the codec's packer.

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace pw::test {

struct D868FixtureChannel {
    int recordNumber = 1;
    std::string name = "Channel 1";
    double rxMhz = 146.52;
    bool digital = false;
    std::uint32_t contact = 0;     // 0-based talkgroup record number (block byte 50)
    std::uint16_t scanList = 255;  // block byte 62, 255 none
    std::uint16_t rxGroup = 0;     // block byte 64
    std::uint16_t tail = 0;        // the word after the 212-byte block
};

struct D868FixtureRadioId {
    std::uint32_t dmrId = 1234567;
    std::string name = "FIXTURE";
};

struct D868FixtureZone {
    std::string name;
    std::vector<std::uint16_t> members;  // 0-based channel record numbers
};

struct D868FixtureScanList {
    std::string name;
    std::vector<std::uint16_t> members;  // 0-based channel record numbers
};

struct D868FixtureContact {
    std::uint32_t recordNumber = 1;
    std::uint32_t dmrId = 1;
    std::string name;
    std::string city;
    std::string callsign;
    std::string state;
    std::string country;
    std::string remarks;
    int callType = 1;   // 0 private, 1 group, 2 all
    int alertTone = 0;  // 0-3
};

struct D868FixtureRxGroup {
    std::string name;
    std::vector<std::uint32_t> members;  // 0-based talkgroup record numbers
};

struct D868Fixture {
    std::string model = "D868UVE ";
    std::vector<D868FixtureChannel> channels = {D868FixtureChannel{}};
    std::vector<D868FixtureRadioId> radioIds = {D868FixtureRadioId{}};
    std::vector<D868FixtureZone> zones = {D868FixtureZone{"Zone 1", {0}}};
    std::vector<D868FixtureScanList> scanLists;
    int section7Records = 0;                      // C4
    std::vector<D868FixtureContact> talkgroups;   // C5 entries
    std::vector<D868FixtureContact> digitalContacts;  // C6 entries
    int section10Records[3] = {0, 0, 0};          // C7, C8, C9
    int section11Records[3] = {0, 0, 0};          // C11, C12 (draft messages), C13
    int section12Records = 0;                     // C14
    // Section 13: one 46-byte record and one variable block (version 1) per entry, holding the
    // entry's bytes; C15 is the number of entries.
    std::vector<std::vector<std::uint8_t>> section13Blocks;
    std::vector<D868FixtureRxGroup> rxGroups;
    std::size_t section15Size = 3144;
    std::vector<std::uint8_t> trailingBytes;
    // Count-table entries written instead of the ones the content gives (C index to value).
    std::map<int, std::int32_t> countOverrides;
};

// Where each section of a built file begins (byte offsets), and the file's size.
struct D868FixtureLayout {
    std::size_t countTable = 0;
    std::size_t channels = 0;
    std::size_t radioIds = 0;
    std::size_t zones = 0;
    std::size_t scanLists = 0;
    std::size_t section7 = 0;
    std::size_t talkgroups = 0;       // the length word
    std::size_t digitalContacts = 0;  // the length word
    std::size_t section10 = 0;
    std::size_t draftMessages = 0;    // the C12 records
    std::size_t section13 = 0;
    std::size_t rxGroups = 0;
    std::size_t section15 = 0;
    std::size_t trailing = 0;
    std::size_t end = 0;
};

std::vector<std::uint8_t> buildD868Fixture(const D868Fixture& fixture, D868FixtureLayout* layout = nullptr);

// The packed bytes of a contact stream (without the length word and the extra byte).
std::vector<std::uint8_t> packD868FixtureContacts(const std::vector<D868FixtureContact>& contacts);

// The byte that the kept sections hold at `offset` of section `section`, so that tests can tell
// each section's bytes from every other's.
std::uint8_t d868PatternByte(int section, std::size_t offset);

// The largest D868 codeplug the benchmarks and the window timing use: 160000 digital contacts,
// 10000 talkgroups and 4000 channel records (3998 channels and the special records 4001 and 4002),
// with 250 zones, 250 scan lists and 250 RX group lists.
D868Fixture largestD868Fixture();

} // namespace pw::test
