// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The D868 codeplug file (FormatId 0x3001, AnyTone D868UV and D6X2UV): counted sections read and
// written in sequence, every integer little-endian.
//
// | #  | Section                                   | Record size       | Records      | Held as                 |
// |----|-------------------------------------------|-------------------|--------------|-------------------------|
// | 1  | header; bytes 0-15 the model text         | 12642             | 1            | D868Data::header        |
// |    | "D868UVE " or "D6X2UV  ", zero-padded      |                   |              |                         |
// | 2  | count table: s32 C0 .. C99                | 4                 | 100          | D868Data::countTable    |
// | 3  | channels: 212-byte block + u16 word       | 214               | C0           | Channel (4001, 4002:    |
// |    | (block begins with its record number)     |                   |              | specialChannels)        |
// | 4  | radio IDs: u16 number, u16 in use,        | 37                | C1           | D868Data::radioIds      |
// |    | u32 DMR ID, u16 word, name[27]            |                   |              |                         |
// | 5  | zones: 608-byte block + word + byte       | 611               | C2           | Zone                    |
// | 6  | scan lists: 296-byte block + word         | 298               | C3           | ScanList                |
// | 7  | not interpreted                           | 52                | C4           | section7                |
// | 8  | talkgroups: u32 L, PackedContactStream    | 4 + L             | C5 entries   | Contact, isTalkgroup 1  |
// | 9  | digital contacts: u32 L, stream           | 4 + L             | C6 entries   | Contact, isTalkgroup 0  |
// | 10 | three tables, not interpreted             | 44                | C7, C8, C9   | sections10To12          |
// | 11 | three tables; C12 are draft text messages | 306               | C11-C13      | sections10To12          |
// | 12 | not interpreted                           | 30                | C14          | sections10To12          |
// | 13 | C15 records, then C15 variable blocks:    | 46, then 12 + n   | C15, C15     | section13               |
// |    | u16 word, u16 version (1), u32 length n,  |                   |              |                         |
// |    | u32 value, n bytes                        |                   |              |                         |
// | 14 | RX group lists: 296-byte block + byte     | 297               | C16          | RxGroupList             |
// | 15 | 32 × 8, 250 × 8, 16 × 53, 1 × 8, 32 × 1    | 3144              | 1            | section15               |
// |    | bytes after section 15 (newer vendor      | any               |              | trailingBytes           |
// |    | software appends data there)              |                   |              |                         |
//
// C10 names no section; the other counts beyond C16 are carried through. Section 15 may be cut
// short after its first 32 records; it is then kept as far as it goes.
//
// Record numbers and references (see record_numbers.h):
//   - channel records numbered 1-3999 are channels; 4001 and 4002 are kept apart and written back
//     unchanged; others from 4000 up are dropped;
//   - zone and scan-list members are 0-based channel record numbers;
//   - a digital channel's contact (block byte 50, u32) and RX group members are 0-based talkgroup
//     record numbers.
// Streams: packed_contact_stream.h; texts in them: septet_text.h. Records: d868_records.h.
//
// The decoder checks every count and length against the bytes that are present before it
// allocates or reads anything, so a damaged or hostile file fails with a logged reason.
// The save builds a new file from the model: channels, zones, scan lists, talkgroups, digital
// contacts and RX group lists renumbered 1..n, contacts split into talkgroups (those that a
// channel or an RX group list uses, and those marked) and digital contacts, and every kept
// section written back as read.

#include "codeplug/byte_field.h"

#include <cstddef>
#include <cstdint>

namespace pw::d868 {

inline constexpr std::size_t ChannelRecordSize = 214;
inline constexpr std::size_t RadioIdRecordSize = 37;
inline constexpr std::size_t ZoneRecordSize = 611;
inline constexpr std::size_t ScanListRecordSize = 298;
inline constexpr std::size_t Section7RecordSize = 52;
inline constexpr std::size_t Section10RecordSize = 44;
inline constexpr std::size_t Section11RecordSize = 306;
inline constexpr std::size_t Section12RecordSize = 30;
inline constexpr std::size_t Section13RecordSize = 46;
inline constexpr std::size_t Section13BlockHeadSize = 12;
inline constexpr std::size_t RxGroupRecordSize = 297;
inline constexpr std::size_t Section15Size = 3144;
// The part of section 15 that must be present: its first 32 records of 8 bytes.
inline constexpr std::size_t Section15Required = 32 * 8;

// Count-table entries.
inline constexpr int ChannelCount = 0;       // C0: channels and the special records
inline constexpr int RadioIdCount = 1;       // C1
inline constexpr int ZoneCount = 2;          // C2
inline constexpr int ScanListCount = 3;      // C3
inline constexpr int Section7Count = 4;      // C4
inline constexpr int TalkgroupCount = 5;     // C5
inline constexpr int DigitalContactCount = 6;  // C6
inline constexpr int Section13Count = 15;    // C15
inline constexpr int RxGroupCount = 16;      // C16

inline constexpr int LastChannelNumber = 3999;
inline constexpr int SpecialChannelA = 4001;
inline constexpr int SpecialChannelB = 4002;
// Limits the recognition applies; the save refuses to write a file that it would not open again.
// Channel records: every number up to the last special record, so that a table of 3999 channels
// saved with both special records opens again.
inline constexpr int MostChannelRecords = SpecialChannelB;
inline constexpr int MostTalkgroups = 10000;
inline constexpr int MostDigitalContacts = 160000;
// A packed stream longer than this is refused by the save.
inline constexpr std::size_t LongestPackedStream = 28515000;
// A file larger than this is no D868 codeplug: two streams of the longest kind and every table
// full come to well under it.
inline constexpr std::size_t LargestFile = 256u << 20;

} // namespace pw::d868
