// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The columns of the window's contact and channel lists: their headings, which of them a codeplug
// shows, and the text of each cell. The lists draw these texts and their filters search them, so
// a row is found by what it shows.

#include <span>
#include <string>

namespace pw {

class Codeplug;

// The contact list's columns, in the order shown. The descriptive texts come last; a list shows
// them only for a format that keeps them.
enum class ContactColumn : int { Number, DmrId, Name, CallType, AlertTone, Callsign, City, State, Country, Remarks };
inline constexpr int ContactColumnCount = 10;

enum class ChannelColumn : int {
    Number, Name, RxFrequency, Mode, Bandwidth, TxFrequency, Admit, Power, Slot, Color, TxContact, RxGroup
};
inline constexpr int ChannelColumnCount = 12;

const char* heading(ContactColumn column);
const char* heading(ChannelColumn column);

// Whether the contact list of `codeplug` shows `column`: a descriptive text only when a codeplug
// is loaded whose format keeps it.
bool shows(const Codeplug& codeplug, ContactColumn column);

// Appends the text of `column` for the record at table position `row`, which exists.
void appendCell(const Codeplug& codeplug, int row, ContactColumn column, std::string& out);
void appendCell(const Codeplug& codeplug, int row, ChannelColumn column, std::string& out);

// The cell as a string, for a list that draws one cell at a time.
template <typename Column>
std::string cellText(const Codeplug& codeplug, int row, Column column)
{
    std::string text;
    appendCell(codeplug, row, column, text);
    return text;
}

} // namespace pw
