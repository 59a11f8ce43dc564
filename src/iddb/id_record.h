// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The records of the DMR ID database and their compact store.
//
// A user record has eight UTF-8 texts: radioId, callsign, name, city, state, country, spare (always
// empty) and remarks, cut to 118, 118, 246, 246, 246, 246, 0 and 2038 bytes (on a character
// boundary, by the reader). Two million
// records at a fixed block each would cost gigabytes, so the store keeps every record's texts back
// to back in large arena blocks, in the order of the record's match text, each followed by one
// blank:
//
//   radioId ␠ callsign ␠ city ␠ country ␠ spare ␠ name ␠ remarks ␠ state ␠
//
// so that the match text that searches run over is a slice of the arena, with no copy. An index
// entry of 16 bytes per record holds its arena position and the lengths of its texts. The texts
// never hold a zero byte (the field reader stops at one), so each is exactly what was read.
//
// Arena blocks never move once written: an IdRecord view stays valid while the store lives, even
// while more records are appended.
//
// What selections ask of every record is worked out once, as it is appended: the DMR ID as a
// number, and the numbers of its country and state among the distinct names of the store.

#include "iddb/name_numbering.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pw {

// The longest text each field keeps.
inline constexpr std::size_t RadioIdLimit = 118;
inline constexpr std::size_t CallsignLimit = 118;
inline constexpr std::size_t NameLimit = 246;
inline constexpr std::size_t CityLimit = 246;
inline constexpr std::size_t StateLimit = 246;
inline constexpr std::size_t CountryLimit = 246;
inline constexpr std::size_t RemarksLimit = 2038;

// True when `term` occurs in `text`, comparing ASCII letters without regard to case; every other
// byte must be equal. An empty term occurs everywhere.
bool ContainsNoCase(std::string_view text, std::string_view term);

// The texts of one record as read from a record line, before they go into the store.
struct IdRecordFields {
    std::string radioId;
    std::string callsign;
    std::string name;
    std::string city;
    std::string state;
    std::string country;
    std::string remarks;
};

enum class RecordLineResult {
    NoIdField,   // the line has no field 0: not a row at all
    Incomplete,  // one of fields 0 to 5 is missing: a row, but no record
    Complete,    // a record; field 6 (remarks) may have been missing
};

// Field 0 of a record line, at most 246 characters, or false when the line has none.
bool readRecordIdField(std::string_view line, std::string& idField);
// The decimal value of a DMR ID text: leading blanks and one sign are passed over, the leading
// digits count, 0 when there are none; values beyond 32 bits saturate.
std::int32_t dmrIdValue(std::string_view text);
// A DMR ID written as nothing but decimal digits, 1 to 16777215 (24 bits); nothing otherwise.
std::optional<std::uint32_t> dmrIdFromDigits(std::string_view text);
// The first eight bytes of a callsign, ASCII letters in upper case, the first byte lowest and zero
// bytes after a shorter callsign: what selections compare before they look at the text. Callsigns
// whose keys differ differ, letter case ignored; a callsign begins with a prefix of at most eight
// bytes, none of them zero, exactly when the low bytes of its key are the prefix's key.
std::uint64_t callsignKey(std::string_view callsign);
// Reads fields 0 to 6 of a record line into `fields`, cut to their limits, with the remarks'
// control characters turned into blanks.
RecordLineResult parseRecordLine(std::string_view line, IdRecordFields& fields);

// A read-only view of one stored record.
class IdRecord {
public:
    IdRecord() = default;

    std::string_view radioId() const { return {base_, len_[0]}; }
    std::string_view callsign() const { return {base_ + len_[0] + 1, len_[1]}; }
    std::string_view city() const { return {base_ + start(2), len_[2]}; }
    std::string_view country() const { return {base_ + start(3), len_[3]}; }
    std::string_view spare() const { return {base_ + start(4), 0}; }
    std::string_view name() const { return {base_ + start(5), len_[5]}; }
    std::string_view remarks() const { return {base_ + start(6), len_[6]}; }
    std::string_view state() const { return {base_ + start(7), len_[7]}; }
    // Every text in match order, each followed by one blank.
    std::string_view matchText() const { return {base_, start(8)}; }
    // The eight texts in match order, found in one walk: for a reader of several of them.
    std::array<std::string_view, 8> texts() const
    {
        std::array<std::string_view, 8> texts;
        const char* at = base_;
        for (std::size_t slot = 0; slot < texts.size(); ++slot) {
            texts[slot] = {at, len_[slot]};
            at += len_[slot] + 1u;
        }
        return texts;
    }

private:
    friend class IdRecordStore;
    std::size_t start(int slot) const
    {
        std::size_t at = 0;
        for (int i = 0; i < slot; ++i)
            at += len_[static_cast<std::size_t>(i)] + 1u;
        return at;
    }

    // An empty record: eight empty texts, each followed by its blank.
    const char* base_ = "        ";
    // Lengths in match order: radioId, callsign, city, country, spare, name, remarks, state.
    std::array<std::uint16_t, 8> len_{};
};

class IdRecordStore {
public:
    // Arena block size; one record takes at most about 3.3 KB, so a block holds a thousand or more.
    static constexpr std::size_t BlockBytes = 4u << 20;

    IdRecordStore() = default;
    IdRecordStore(const IdRecordStore&) = delete;
    IdRecordStore& operator=(const IdRecordStore&) = delete;
    IdRecordStore(IdRecordStore&&) noexcept = default;
    IdRecordStore& operator=(IdRecordStore&&) noexcept = default;

    int count() const { return static_cast<int>(entries_.size()); }
    bool empty() const { return entries_.empty(); }
    // The record at a 0-based index; an index outside the store gives an empty record.
    IdRecord at(int index) const
    {
        if (index < 0 || index >= count())
            return {};
        return view(entries_[static_cast<std::size_t>(index)]);
    }
    IdRecord operator[](int index) const { return at(index); }

    // The record's callsign, without the rest of its view.
    std::string_view callsignOf(int record) const
    {
        const auto& entry = entries_[static_cast<std::size_t>(record)];
        return {blocks_[entry.block].bytes.get() + entry.offset + entry.shortLengths[0] + 1, entry.shortLengths[1]};
    }
    // The record's DMR ID as dmrIdFromDigits reads its ID text; 0 when that is no DMR ID.
    std::uint32_t dmrIdOf(int record) const { return keys_[static_cast<std::size_t>(record)].dmrId; }
    // The numbers of the record's country and state among the names of countryNames() and
    // stateNames(): the distinct texts of the field, ASCII case ignored, each as first spelt.
    std::uint32_t countryNumberOf(int record) const { return keys_[static_cast<std::size_t>(record)].country; }
    std::uint32_t stateNumberOf(int record) const { return keys_[static_cast<std::size_t>(record)].state; }
    const std::vector<std::string>& countryNames() const { return countries_.names(); }
    const std::vector<std::string>& stateNames() const { return states_.names(); }

    // Appends a record; texts longer than their limits are cut.
    void append(const IdRecordFields& fields);
    void clear();

    // Bytes held by the arena blocks and the index.
    std::size_t memoryBytes() const;

    // For the searches: arena blocks and the records in them, and how often each byte occurs
    // (letters folded to lower case) in the whole arena.
    struct BlockView {
        std::string_view text;   // every match text of the block, back to back
        int firstRecord = 0;     // index of the block's first record
        int endRecord = 0;       // one past its last record
    };
    int blockCount() const { return static_cast<int>(blocks_.size()); }
    BlockView block(int index) const;
    // Offset of a record's match text in its block, and its length.
    std::uint32_t offsetInBlock(int record) const { return entries_[static_cast<std::size_t>(record)].offset; }
    std::uint32_t matchLength(int record) const;
    const std::array<std::uint64_t, 256>& byteCounts() const;

private:
    struct Entry {
        std::uint32_t block;
        std::uint32_t offset;
        // radioId, callsign, city, country, name, state (each at most 246)
        std::array<std::uint8_t, 6> shortLengths;
        std::uint16_t remarksLength;
    };
    struct Block {
        std::unique_ptr<char[]> bytes;
        std::uint32_t used = 0;
        int firstRecord = 0;
    };

    struct Keys {
        std::uint32_t dmrId;
        std::uint32_t country;
        std::uint32_t state;
    };

    IdRecord view(const Entry& entry) const
    {
        IdRecord record;
        record.base_ = blocks_[entry.block].bytes.get() + entry.offset;
        const auto& s = entry.shortLengths;
        record.len_ = {s[0], s[1], s[2], s[3], 0, s[4], entry.remarksLength, s[5]};
        return record;
    }

    std::vector<Entry> entries_;
    std::vector<Keys> keys_;
    NameNumbering countries_;
    NameNumbering states_;
    std::vector<Block> blocks_;
    // Byte counts, brought up to date lazily; `countedBlocks_` blocks and `countedBytes_` bytes of
    // the next one are counted.
    mutable std::array<std::uint64_t, 256> byteCounts_{};
    mutable std::size_t countedBlocks_ = 0;
    mutable std::uint32_t countedBytes_ = 0;
};

} // namespace pw
