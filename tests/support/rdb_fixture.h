// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Builds populated RDB images (0x2001, 0x2002, 0x2003) for tests, benchmarks and fuzz targets.
//
// An RdbFixture starts as the minimal file of buildFixture and places model records at their
// positions, as the vendor software would: contacts with their count (the file then ends after the
// last contact record), channels in slots with their names and the slot-order table, zones, and
// scan lists and RX group lists with their counts and order tables. The raw setters write counts
// and order tables as given, so tests can also build damaged images.
//
//   RdbFixture fixture(RdbV2Format);
//   fixture.addContact(fixture.contact(3100, "Talkgroup", CallType::GroupCall));
//   const int slot = fixture.addChannel(fixture.digitalChannel("DMR 1", 439.5, 1));
//   fixture.addZone(fixture.zone("Home", {slot}));
//   fixture.write(dir.file("populated.rdb"));

#include "codeplug/rdb/rdb_layout.h"
#include "model/channel.h"
#include "model/contact.h"
#include "codeplug/format_id.h"
#include "model/rx_group_list.h"
#include "model/scan_list.h"
#include "model/zone.h"
#include "support/fixture_builder.h"

#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <string_view>
#include <vector>

namespace pw::test {

class RdbFixture {
public:
    explicit RdbFixture(FormatId formatId, const FixtureOptions& options = {});

    FormatId formatId() const { return formatId_; }
    const RdbLayout& layout() const { return layout_; }
    // The file as built so far; tests may patch it.
    std::vector<std::uint8_t>& bytes() { return bytes_; }
    const std::vector<std::uint8_t>& bytes() const { return bytes_; }
    std::filesystem::path write(const std::filesystem::path& path) const;

    // ---- Records of this format, ready to place ----

    Contact contact(std::uint32_t dmrId, std::string_view name, CallType type = CallType::PrivateCall) const;
    Channel analogChannel(std::string_view name, double mhz) const;
    // A digital channel sending to contact position `contact` (1-based, 0 none); `rxGroup` and
    // `scanList` are the record numbers the image uses (0 none).
    Channel digitalChannel(std::string_view name, double mhz, int contact = 0, int rxGroup = 0,
                           int scanList = 0) const;
    Zone zone(std::string_view name, std::initializer_list<int> slots) const;
    ScanList scanList(std::string_view name, std::initializer_list<int> slots) const;
    RxGroupList rxGroupList(std::string_view name, std::initializer_list<int> contacts) const;

    // ---- Placing records: each appends to its table and keeps the count current ----

    // Returns the contact's 1-based position. The file grows to end after the last contact record.
    int addContact(const Contact& contact);
    // Puts the channel in the lowest free slot and appends the slot to the slot-order table;
    // returns the slot.
    int addChannel(const Channel& channel);
    // Writes the zone into the next zone record; returns its 0-based index.
    int addZone(const Zone& zone);
    // Writes the list into the next record r, appends r to the order table and raises the count;
    // returns r.
    int addScanList(const ScanList& list);
    int addRxGroupList(const RxGroupList& list);

    // ---- Raw placement, for images in other orders or damaged ----

    void putContactRecord(int index, const Contact& contact);
    void putChannelSlot(int slot, const Channel& channel);
    void putZoneRecord(int index, const Zone& zone);
    void putScanListRecord(int record, const ScanList& list);
    void putRxGroupRecord(int record, const RxGroupList& list);
    // Counts and order tables written as given (the count word and one entry per element).
    void setContactCount(std::uint32_t count);
    void setSlotOrder(const std::vector<std::uint16_t>& slots);
    void setSlotCount(std::uint32_t count);
    void setScanListOrder(const std::vector<std::uint8_t>& records);
    void setScanListCount(std::uint32_t count);
    void setRxGroupOrder(const std::vector<std::uint8_t>& records);
    void setRxGroupCount(std::uint32_t count);
    // Grows or cuts the file to `length` bytes (new bytes are zero).
    void setFileLength(std::size_t length) { bytes_.resize(length, 0); }

private:
    FormatId formatId_;
    RdbLayout layout_;
    std::vector<std::uint8_t> bytes_;
    int contacts_ = 0;
    std::vector<std::uint16_t> slots_;
    int zones_ = 0;
    std::vector<std::uint8_t> scanListOrder_;
    std::vector<std::uint8_t> rxGroupOrder_;
};

// The largest RDB codeplug the benchmarks and the measurements use: a 0x2003 image with 130000
// contacts, 3999 channels, 250 zones, 234 scan lists and 250 RX group lists.
RdbFixture largestRdbFixture();

} // namespace pw::test
