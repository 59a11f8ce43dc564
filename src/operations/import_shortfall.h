// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What an import, merge, paste or add did not take, so that its closing message says so instead
// of leaving the user to guess: lines refused for a value the codeplug cannot hold, counted by
// reason, and records left out because the table was full.

#include <map>
#include <string>
#include <string_view>

namespace pw {

class ImportShortfall {
public:
    void refuseLine(const std::string& reason) { ++refused_[reason]; }
    // A record that found the table full.
    void leaveOut(int count = 1) { leftOut_ += count; }

    int refusedLines() const;
    int leftOut() const { return leftOut_; }
    bool empty() const { return refused_.empty() && leftOut_ == 0; }

    // The lines to add to the closing message, each after CR LF:
    // "99,014 not imported: the contact table holds at most 1,000" (`verb` "imported", `table`
    // "contact") and "3 lines refused: DMR ID above 16777215", one per reason. Empty when nothing
    // was left out.
    std::string text(std::string_view verb, std::string_view table, int capacity) const;

private:
    std::map<std::string, int> refused_;
    int leftOut_ = 0;
};

// 99014 as "99,014".
std::string groupedNumber(long long value);

// Reasons of refused lines.
inline constexpr const char* DmrIdAboveLimit = "DMR ID above 16777215";

} // namespace pw
