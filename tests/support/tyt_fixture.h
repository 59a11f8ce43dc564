// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Populated TYT fixture images (0x1001, 0x1002, 0x1003): records placed at their positions in an
// image built by buildFixture, so that tests of the codec and of every operation that reads or
// writes TYT files (CSV, paste, import) can start from a file holding what they need.
//
// The offsets here are written out from the memory map independently of the codec, so that a
// wrong constant in either shows up as a failing test.
//
//   TytFixture plug(Md9600Format);
//   const int parrot = plug.addContact(9998, "Parrot", CallType::PrivateCall);
//   const int local = plug.addChannel(tytDigitalChannel(Md9600Format, "Local", 439.5, parrot));
//   plug.addZone("Home", {local});
//   const auto path = plug.write(dir.file("plug.rdt"));

#include "model/channel.h"
#include "model/contact.h"
#include "model/rx_group_list.h"
#include "model/scan_list.h"
#include "model/zone.h"
#include "support/fixture_builder.h"

#include <cstdint>
#include <filesystem>
#include <string_view>
#include <vector>

namespace pw::test {

// File offsets of record `index` (0-based) of each TYT table.
std::size_t tytContactOffset(FormatId formatId, int index);
std::size_t tytChannelOffset(FormatId formatId, int index);
std::size_t tytZoneOffset(int index);
std::size_t tytZoneExtensionOffset(int index);  // 0x1002 and 0x1003 only
std::size_t tytScanListOffset(int index);
std::size_t tytRxGroupOffset(int index);
std::size_t tytEmergencyOffset(int index);

// Slots of each table.
int tytContactSlots(FormatId formatId);
int tytChannelSlots(FormatId formatId);
inline constexpr int TytListSlots = 250;
inline constexpr int TytEmergencySlots = 32;

// Lays out every table of a TYT image empty, as the vendor software leaves it: contacts
// FF FF FF FF and zeros, channels 32 bytes 0xFF and 32 zero bytes, emergency systems with empty
// names, zones, zone extensions and RX group lists zero, scan lists with empty names and the
// vendor's header (FF FF FF FF FF FF F1 14 08 FF). buildFixture calls it for the TYT formats.
void blankTytTables(std::vector<std::uint8_t>& image, FormatId formatId);

// Copy a record's TYT bytes into slot `index` of its table.
void placeTytContact(std::vector<std::uint8_t>& image, FormatId formatId, int index, const Contact& contact);
void placeTytChannel(std::vector<std::uint8_t>& image, FormatId formatId, int index, const Channel& channel);
// The 64-byte record and, for 0x1002 and 0x1003, the zone's 224-byte extension record.
void placeTytZone(std::vector<std::uint8_t>& image, FormatId formatId, int index, const Zone& zone);
void placeTytScanList(std::vector<std::uint8_t>& image, int index, const ScanList& list);
void placeTytRxGroupList(std::vector<std::uint8_t>& image, int index, const RxGroupList& list);
// An emergency system record: the name, then eight bytes that the model does not interpret.
void placeTytEmergencySystem(std::vector<std::uint8_t>& image, int index, std::string_view name);

// Records of a TYT FormatId, ready to place.
Contact tytContact(FormatId formatId, std::uint32_t dmrId, std::string_view name,
                   CallType type = CallType::GroupCall, bool alertTone = false);
// A digital channel, colour code 1, slot 1, receiving on `rxMhz` and transmitting on `txMhz`
// (the receive frequency when 0). References are 1-based positions, 0 none.
Channel tytDigitalChannel(FormatId formatId, std::string_view name, double rxMhz, int txContact = 0,
                          int rxGroupList = 0, int scanList = 0, double txMhz = 0);
Channel tytAnalogChannel(FormatId formatId, std::string_view name, double rxMhz, double txMhz = 0);
// Member numbers as stored, written entry by entry (a 0 stays an empty entry). Bank B exists in
// 0x1002 and 0x1003 zones only.
Zone tytZone(FormatId formatId, std::string_view name, const std::vector<int>& bankA,
             const std::vector<int>& bankB = {});
ScanList tytScanList(FormatId formatId, std::string_view name, const std::vector<int>& members);
RxGroupList tytRxGroupList(FormatId formatId, std::string_view name, const std::vector<int>& members);

// The radio image (the memory alone, as dmrconfig reads it) that a vendor file of the MD-380 layout
// (262709 bytes) or the MD-UV380 layout (852533 bytes or more) holds: its bytes from 0x225, with the
// 16 suffix bytes at 0x40225 of the larger layout left out.
std::vector<std::uint8_t> radioImageOf(const std::vector<std::uint8_t>& vendorFile);

// A TYT fixture file that fills its tables from slot 0 on. Each add places the record in the next
// slot of its table and returns its 1-based position, the number other records refer to it by.
class TytFixture {
public:
    explicit TytFixture(FormatId formatId, const FixtureOptions& options = {});

    FormatId formatId() const { return formatId_; }
    std::vector<std::uint8_t>& bytes() { return bytes_; }
    const std::vector<std::uint8_t>& bytes() const { return bytes_; }

    int addContact(const Contact& contact);
    int addContact(std::uint32_t dmrId, std::string_view name, CallType type = CallType::GroupCall);
    int addChannel(const Channel& channel);
    int addZone(const Zone& zone);
    int addZone(std::string_view name, const std::vector<int>& bankA, const std::vector<int>& bankB = {});
    int addScanList(const ScanList& list);
    int addScanList(std::string_view name, const std::vector<int>& members);
    int addRxGroupList(const RxGroupList& list);
    int addRxGroupList(std::string_view name, const std::vector<int>& members);
    int addEmergencySystem(std::string_view name);

    // Writes the file and returns its path.
    std::filesystem::path write(const std::filesystem::path& path) const;

private:
    FormatId formatId_;
    std::vector<std::uint8_t> bytes_;
    int contacts_ = 0;
    int channels_ = 0;
    int zones_ = 0;
    int scanLists_ = 0;
    int rxGroupLists_ = 0;
    int emergencySystems_ = 0;
};

} // namespace pw::test
