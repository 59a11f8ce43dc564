// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The talkgroups of a DMR network with the names the network gives them, read from one of two
// forms:
//
// - BrandMeister's JSON object from talkgroup number to name: {"91":"Worldwide","262":"Germany"}.
//   A key that is no talkgroup number (1 to 16777215), a value that is not a text or an empty
//   name is passed over and counted.
// - A CSV file, for networks that publish no JSON (TGIF and others): one `Talkgroup,Name` line per
//   talkgroup, fields as spreadsheets write them (splitCsvLine), UTF-8 or else Windows-1252, LF,
//   CR LF or CR line ends. A first line whose first field is no number names the columns and is
//   skipped; any later line that does not read is passed over and counted.
//
// The form is told by the first character after a byte-order mark and blanks: `{` is JSON. A
// talkgroup listed twice keeps its first name. The catalogue is ordered by talkgroup number.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace pw {

inline constexpr std::uint32_t HighestTalkgroupId = 0xFFFFFF;

struct Talkgroup {
    std::uint32_t id = 0;
    // UTF-8, one line.
    std::string name;
};

class TalkgroupCatalogue {
public:
    TalkgroupCatalogue() = default;
    // Orders the talkgroups by number; of a number listed twice the first stays. `duplicates`,
    // when given, counts the ones that went.
    explicit TalkgroupCatalogue(std::vector<Talkgroup> talkgroups, int* duplicates = nullptr);

    const std::vector<Talkgroup>& talkgroups() const { return talkgroups_; }
    bool empty() const { return talkgroups_.empty(); }
    std::size_t size() const { return talkgroups_.size(); }
    // The talkgroup of that number, or null.
    const Talkgroup* find(std::uint32_t id) const;
    // The talkgroups whose name holds `text`, letter case ignored (all of them for an empty text).
    std::vector<Talkgroup> matching(std::string_view text) const;

private:
    std::vector<Talkgroup> talkgroups_;
};

struct CatalogueReading {
    TalkgroupCatalogue catalogue;
    // Entries or lines that did not read as a talkgroup.
    int passedOver = 0;
    // Why no talkgroup could be had ("not valid JSON (at byte 12)"); empty when some were.
    std::string failure;
};

// Either form, told apart as above.
CatalogueReading readTalkgroupCatalogue(std::string_view bytes);
CatalogueReading readTalkgroupJson(std::string_view json);
CatalogueReading readTalkgroupCsv(std::string_view bytes);

// Whether `name` holds `text`, ASCII letter case ignored.
bool containsIgnoringCase(std::string_view name, std::string_view text);

} // namespace pw
