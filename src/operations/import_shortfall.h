// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What an import, merge, paste or add did not take, so that its closing message accounts for every
// line instead of leaving the user to guess: lines refused, counted by reason, and records left out
// because the table was full.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace pw {

enum class ContactLineRead;

class ImportShortfall {
public:
    void refuseLine(std::string_view reason, int lines = 1);
    // A record that found the table full.
    void leaveOut(int count = 1) { leftOut_ += count; }

    int refusedLines() const;
    int leftOut() const { return leftOut_; }
    bool empty() const { return refused_.empty() && leftOut_ == 0; }

    // The lines to add to the closing message, each after CR LF: "99,014 not imported: the contact
    // table holds at most 1,000" (`verb` "imported", `table` "contact") and, in one line, the
    // refused lines grouped by reason, the most frequent first: "3 lines refused: DMR ID not a
    // number (2), line longer than 4,096 characters (1)". Empty when nothing was left out.
    std::string text(std::string_view verb, std::string_view table, int capacity) const;

private:
    // Reasons in the order they were first met, with their counts.
    std::vector<std::pair<std::string, int>> refused_;
    int leftOut_ = 0;
};

// 99014 as "99,014".
std::string groupedNumber(long long value);

// Reasons of refused lines.
inline constexpr const char* DmrIdAboveLimit = "DMR ID above 16777215";
inline constexpr const char* DmrIdNotANumber = "DMR ID not a number";
inline constexpr const char* ZeroByteInLine = "zero byte in the line";
inline constexpr const char* ChannelLineTooFewFields = "fewer than 42 fields";

// "line longer than 4,096 characters"
std::string lineTooLongReason(std::size_t maxCharacters);
// Why a line of an import is refused before its fields are read: longer than the reader keeps
// (`tooLong`, from the reader) or holding a zero byte, which no text of a record may hold.
std::optional<std::string> lineRefusal(std::string_view line, bool tooLong);
// The reason for a contact line that Contact::fromLine did not read (its result).
std::string contactLineRefusal(ContactLineRead fromLineResult);

} // namespace pw
