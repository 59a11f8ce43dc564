// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The TYT family's files: MD-380/MD-390 family (0x1001), MD-2017 (0x1002), MD-9600 and
// MD-UV380/UV390 (0x1003) codeplug files.
//
// The files are DfuSe files; the radio's memory begins at file offset 0x125 and every offset below
// is a file offset. The codeplug holds the file's first 262709 (0x1001) or 852534 (0x1002, 0x1003)
// bytes as its TYT image. The codec copies whole records between the image and the model and
// checks the references between them; fields are read by the record formats (tyt_records.h).
//
// Memory map                                 0x1001                  0x1002, 0x1003
// ----------------------------------------   ---------------------   ---------------------------
// DfuSe prefix and target header             0x0000   (0x125)        0x0000   (0x125)
// manufacturer code / model text             0x0125   6              0x0125   up to a zero
// band index (i8), band limits (2 x u16)     0x0136, 0x0139          -
// radio DMR ID, u24                          0x22A9   3              0x22A9   3
// radio name, 16 UTF-16LE units              0x22D5   32             0x22D5   32
// emergency systems, 32 x 40                 0x5CA5   1280           0x5CA5   1280
// contacts, 36 each                          0x61A5   1000 x 36      0x70235  10000 x 36
// RX group lists, 250 x 96                   0xEE45   24000          0xEE45   24000
// zones, 250 x 64                            0x14C05  16000          0x14C05  16000
// scan lists, 250 x 104                      0x18A85  26000          0x18A85  26000
// channels, 64 each                          0x1F025  1000 x 64      0x40235  3000 x 64
// zone extensions, 250 x 224                 -                       0x31225  56000
// GPS records, 16 x 16                       0x3EE65  256            -
// (image end)                                0x40235 (262709)        0xD0236 (852534)
// Everything not named here (general settings, text messages, keys, ...) is carried unchanged.
// On 0x1002/0x1003 the bytes at 0x61A5 are not a table of ours and are never read or written.
//
// Vendor files and radio images. The radio's memory begins at file offset 0x225 of a vendor file:
// before it lie the DfuSe prefix and target header (0x125 bytes, the same in every vendor file) and
// 256 bytes the vendor software writes and the radio does not hold (model text or manufacturer
// code at 0x125, frequency range indexes at 0x136 and 0x137, band limits at 0x139 and 0x13D, the
// rest 0xFF). After the memory's first 0x40000 bytes come 16 DfuSe suffix bytes; an MD-UV380-layout
// file then goes on with the memory's remaining 0x90000 bytes:
//   memory offset m  <->  file offset 0x225 + m (m < 0x40000), 0x235 + m (m >= 0x40000)
// A radio image, as dmrconfig and md380tools read and write it, is that memory alone: 262144 bytes
// (0x1001) or 851968 bytes (0x1003), told apart by size alone. The codec keeps an image in the
// vendor file's layout, so that every offset here holds for both; its wrapping bytes stay zero.
//
// Records (little-endian; names are 16 UTF-16LE units up to the first zero unit):
//   contact 36      0 u24 DMR ID, 3 flags (b0-1 call type, b5 alert tone, b6-7 set), 4 name
//   channel 64      0-31 settings (see tyt_channel_format.cpp), 32 name
//   RX group 96     0 name, 32 32 u16 members (1-based contacts); the count is the number of
//                   leading non-zero words among the first 31
//   zone 64         0 name, 32 16 u16 members: bank A 1-16 (1-based channels)
//   zone ext 224    0 48 u16 members: bank A 17-64, 96 64 u16 members: bank B 1-64; extension z
//                   belongs to zone record z
//   scan list 104   0 name, 32 10 header bytes, 42 31 u16 members (1-based channels)
//   emergency 40    0 name, 32-39 not interpreted
//
// Used and empty slots. Every table is packed: the first empty slot ends it, later slots are not
// looked at. A contact slot is empty when its flag byte is 0xC0 or 0xFF; a channel slot when its
// byte 0 is 0xFF or its name is empty; any other slot when its name is empty (its first unit is
// 0, the whole unit: a name may begin with U+4E00).
//
// Zone members are checked on decode in both banks, all 64 entries of each: a member that names no
// channel is removed and logged wherever it sits, not only among the 16 of the zone record.
//
// The emergency system table has room for 32 records before 0x61A5, where the MD-380 family keeps
// its contacts; reading on would take contact bytes for names, so the decoder stops after 32.
//
// Blank records, written into the slots after the last record of a table:
//   contact    FF FF FF C0, then 32 zero bytes (ID 16777215, flags 0xC0, no name)
//   channel    32 bytes 0xFF, then 32 zero bytes
//   RX group   96 zero bytes
//   zone       64 zero bytes, and 224 zero bytes of its extension (0x1002, 0x1003)
//   scan list  zero name and members; header FF FF FF FF FF FF F1 14 08 FF, as the vendor writes it
// A slot after the last record that already reads as empty is left as it is, so the blank records
// of the vendor software (contacts FF FF FF FF, the MD-2017's default channel without a name)
// survive an open-save cycle byte for byte.

#include "codeplug/format_id.h"

#include <cstddef>
#include <optional>

namespace pw::tyt {

inline constexpr std::size_t EmergencyTable = 0x5CA5;
inline constexpr std::size_t EmergencyRecordSize = 40;
inline constexpr int EmergencySlots = 32;
inline constexpr std::size_t Md380ContactTable = 0x61A5;
inline constexpr std::size_t Md2017ContactTable = 0x70235;
inline constexpr std::size_t ContactRecordSize = 36;
inline constexpr std::size_t RxGroupTable = 0xEE45;
inline constexpr std::size_t RxGroupRecordSize = 96;
inline constexpr std::size_t ZoneTable = 0x14C05;
inline constexpr std::size_t ZoneRecordSize = 64;
inline constexpr std::size_t ScanListTable = 0x18A85;
inline constexpr std::size_t ScanListRecordSize = 104;
inline constexpr std::size_t Md380ChannelTable = 0x1F025;
inline constexpr std::size_t Md2017ChannelTable = 0x40235;
inline constexpr std::size_t ChannelRecordSize = 64;
inline constexpr std::size_t ZoneExtensionTable = 0x31225;
inline constexpr std::size_t ZoneExtensionSize = 224;
inline constexpr int ListSlots = 250;

// The DfuSe image element begins at this file offset; the model text of 0x1002/0x1003 lies there.
inline constexpr std::size_t DfuSeDataOffset = 0x125;
inline constexpr std::size_t Md380ImageSize = 262709;
inline constexpr std::size_t Md2017ImageSize = 852534;
inline constexpr std::size_t RadioDmrId = 0x22A9;

// Where the radio's memory lies in a vendor file, and how large it is (tyt_map.h's opening).
inline constexpr std::size_t MemoryStart = 0x225;
inline constexpr std::size_t FirstMemoryPart = 0x40000;
inline constexpr std::size_t DfuSeSuffixSize = 16;
inline constexpr std::size_t SecondMemoryPartStart = MemoryStart + FirstMemoryPart + DfuSeSuffixSize;
inline constexpr std::size_t Md380MemorySize = 0x40000;
inline constexpr std::size_t UvMemorySize = 0xD0000;
inline constexpr std::size_t RadioName = 0x22D5;
// Every name of a record: 16 UTF-16LE units.
inline constexpr std::size_t RecordNameUnits = 16;

// The values that drive the TYT codec for one FormatId.
struct TytLayout {
    FormatId formatId = NoFormat;
    std::size_t imageSize = 0;
    int contactSlots = 0;
    int channelSlots = 0;
    int emergencySlots = 0;
    int zoneSlots = 0;
    int scanListSlots = 0;
    int rxGroupSlots = 0;
    std::size_t contactTable = 0;
    std::size_t channelTable = 0;
    // The zone extension table of 0x1002 and 0x1003.
    std::optional<std::size_t> zoneExtensionTable;

    // The layout of a TYT FormatId; nothing for any other.
    static std::optional<TytLayout> forFormat(FormatId formatId);

    // The file offset of record i of each table, or nothing for a negative index.
    std::optional<std::size_t> contactRecordAt(int index) const { return positionIn(contactTable, ContactRecordSize, index); }
    std::optional<std::size_t> channelRecordAt(int index) const { return positionIn(channelTable, ChannelRecordSize, index); }
    std::optional<std::size_t> zoneRecordAt(int index) const { return positionIn(ZoneTable, ZoneRecordSize, index); }
    std::optional<std::size_t> scanListRecordAt(int index) const { return positionIn(ScanListTable, ScanListRecordSize, index); }
    std::optional<std::size_t> rxGroupRecordAt(int index) const { return positionIn(RxGroupTable, RxGroupRecordSize, index); }
    std::optional<std::size_t> emergencyRecordAt(int index) const { return positionIn(EmergencyTable, EmergencyRecordSize, index); }
    // The extension record of zone `index`, for a layout with an extension table.
    std::optional<std::size_t> zoneExtensionAt(int index) const
    {
        if (!zoneExtensionTable)
            return std::nullopt;
        return positionIn(*zoneExtensionTable, ZoneExtensionSize, index);
    }

private:
    static std::optional<std::size_t> positionIn(std::size_t base, std::size_t size, int index)
    {
        if (index < 0)
            return std::nullopt;
        return base + size * static_cast<std::size_t>(index);
    }
};

// The MD-2017 and MD-9600 channel records carry their power in byte 30 and marks in bytes 5 and 31,
// and their zones have two banks of 64 members.
inline constexpr bool isLargeTyt(FormatId id) { return id == Md2017Format || id == Md9600Format; }

} // namespace pw::tyt
