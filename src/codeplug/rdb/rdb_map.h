// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The RDB family: memory images of three layout versions, saved with the .rdb extension.
//
// Memory map (file offsets; all integers little-endian; r is a 1-based record number, s a 1-based
// channel slot, i a 0-based index):
//
// | Table                          | 0x2001 "D4.0.03"  | 0x2002 "D4.1.01"  | 0x2003 "D4.3.01"  | Size         |
// |--------------------------------|-------------------|-------------------|-------------------|--------------|
// | radio model text (zero-ended)  | 0x2000            | 0x2000            | 0x2000            | 16           |
// | layout version text + 0        | 0x2010            | 0x2010            | 0x2010            | 8            |
// | radio name, 16 UTF-16LE units  | 0x2200            | 0x2200            | 0x2200            | 32           |
// | radio DMR ID, u24              | 0x2220            | 0x2220            | 0x2220            | 3            |
// | RX group record r              | 0x3000 + 100(r-1) | 0x3000 + 100(r-1) | 0x3000 + 164(r-1) | 100 / 164    |
// | RX group count, u16            | 0x93E8            | 0x93E8            | 0xD3E8            | 2            |
// | RX group order table, u8 each  | 0x93EA            | 0x93EA            | 0xD3EA            | 1 per list   |
// | contact count                  | 0x9568 u16        | 0x9568 u24, +3 =0 | 0xD568 u24, +3 =0 | 2 / 4        |
// | channel name of slot s         | 0xA000 + 16(s-1)  | 0xA000 + 16(s-1)  | 0xE000 + 16(s-1)  | 16 (12 used) |
// | channel record of slot s       | 0x11FE0 + 32s     | 0x21FE0 + 32s     | 0x25FE0 + 32s     | 32           |
// | slot-order table: u16 count,   | 0x21F60           | 0x41F60           | 0x45F60           | 2 + 2 per    |
// |   then u16 slots, then a 0     |                   |                   |                   |   channel    |
// | zone record i (i < 250)        | 0x26000 + 80i     | 0x47000 + 80i     | 0x4B000 + 80i     | 80           |
// | scan-list record r (r <= 234)  | 0x2C000 + 128(r-1)| 0x4D000 + 128(r-1)| 0x51000 + 128(r-1)| 128          |
// | scan-list count, u16           | 0x33500           | 0x54500           | 0x58500           | 2            |
// | scan-list order table, u8 each | 0x33502           | 0x54502           | 0x58502           | 1 per list   |
// | contact record i               | 0x44000 + 16i     | 0x65000 + 16i     | 0x69000 + 16i     | 16           |
// | minimum file length            | 0x44010           | 0x65010           | 0x69010           |              |
// | most bytes read                | 1327120           | 2510864           | 2527232           |              |
// | contacts / channels at most    | 65535 / 1999      | 65535 / 3999      | 130000 / 3999     |              |
//
// Records (byte offsets within the record):
//   contact, 16 bytes:     0 u24 DMR ID, 3 name (12 bytes of SixBitText), 15 flags (b0-1 call
//                          type, b3 alert tone)
//   channel, 32 bytes:     see rdb_channel_format.cpp; its name is the first 12 bytes (SixBitText) of the
//                          slot's 16-byte name entry, the other 4 bytes belong to someone else
//   zone, 80 bytes:        0 name (16 UTF-16LE units), 32 header (36 member count), 48 16 member
//                          words (channel slots)
//   scan list, 128 bytes:  0 name (16 UTF-16LE units), 38 member count + 1, 66 31 member words
//                          (channel slots)
//   RX group, 100 bytes:   0 u32 member count, 4 name (16 UTF-16LE units), 36 32 u16 members
//   RX group V2, 164:      the same with 32 u32 members
//                          (members are 1-based contact positions)
//
// Empty-slot rules: the contact table has exactly `contact count` records and the file ends after
// the last of them. Channels are the slots listed by the slot-order table, in that order. Zones run
// from record 0 up to the first record whose name is empty. RX group lists and scan lists are the
// records named by the first `count` entries of their order tables, up to the first record whose
// name is empty. Channels refer to RX group lists and scan lists by record number; the decoder
// turns these into model positions through the order tables, and the encoder writes the lists back
// as records 1..n with an identity order table, so positions and record numbers agree again.
//
// The scan-list count word follows the 234th record directly: a 235th record would overwrite the
// count and the order table, so neither side ever goes past record 234.
//
// Every count and every entry of an order table comes from the file. The decoder checks each
// against the tables it indexes before following it; what does not fit is logged and passed over.

#include "codeplug/format_id.h"

#include <cstddef>

namespace pw::rdb {

// The number of bytes that an encoded image of `contacts` contacts is written with: the file ends
// after the last contact record, but never before the shortest length the reader accepts.
std::size_t fileLength(FormatId formatId, int contacts);

} // namespace pw::rdb
