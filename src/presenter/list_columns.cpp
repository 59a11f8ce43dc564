// SPDX-License-Identifier: GPL-3.0-or-later
#include "presenter/list_columns.h"

#include "codeplug/codeplug.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdio>

namespace pw {
namespace {

constexpr std::array<const char*, ContactColumnCount> ContactHeadings = {
    "No.", "DMR-MARC ID", "Contact Name", "Contact Type", "Alert Tone", "Callsign", "City", "State", "Country",
    "Remarks"};
constexpr std::array<const char*, ChannelColumnCount> ChannelHeadings = {
    "No.", "Channel Name", "Rx Freq", "Mode", " BW", "Tx Freq", "Admit", "PWR", "Slot", "Color", "T-Enc/Contact",
    "R-Dec/Grp"};

constexpr int FirstTextColumn = static_cast<int>(ContactColumn::Callsign);

ContactText textOf(ContactColumn column)
{
    return static_cast<ContactText>(static_cast<int>(column) - FirstTextColumn);
}

void appendNumber(std::string& out, long long value)
{
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    out.append(digits, end);
}

// A digital channel's slot or color code; an analog one has none.
void appendNumberOrDash(std::string& out, bool shown, long long value)
{
    if (shown)
        appendNumber(out, value);
    else
        out += " - ";
}

void appendFrequency(std::string& out, double mhz)
{
    char text[32];
    const int length = std::snprintf(text, sizeof text, "%.5lf", mhz);
    out.append(text, static_cast<std::size_t>(std::max(length, 0)));
}

void appendToneOrDash(std::string& out, const ToneCode& tone)
{
    out += tone.isNone() ? std::string(" - ") : tone.text();
}

} // namespace

const char* heading(ContactColumn column) { return ContactHeadings[static_cast<std::size_t>(column)]; }
const char* heading(ChannelColumn column) { return ChannelHeadings[static_cast<std::size_t>(column)]; }

bool shows(const Codeplug& codeplug, ContactColumn column)
{
    if (static_cast<int>(column) < FirstTextColumn)
        return true;
    return codeplug.loaded() && codeplug.recordFormats().contact->textRoom(textOf(column)).keeps();
}

void appendCell(const Codeplug& codeplug, int row, ContactColumn column, std::string& out)
{
    const Contact& contact = *codeplug.contactAt(row);
    switch (column) {
    case ContactColumn::Number: appendNumber(out, row + 1); return;
    case ContactColumn::DmrId: appendNumber(out, contact.dmrId()); return;
    case ContactColumn::Name: out += contact.nameView(); return;
    case ContactColumn::CallType: out += Contact::callTypeName(contact.callType()); return;
    case ContactColumn::AlertTone: out += contact.alertTone() ? "Yes" : "No"; return;
    case ContactColumn::Callsign:
    case ContactColumn::City:
    case ContactColumn::State:
    case ContactColumn::Country:
    case ContactColumn::Remarks: out += contact.descriptiveView(textOf(column)); return;
    }
}

void appendCell(const Codeplug& codeplug, int row, ChannelColumn column, std::string& out)
{
    const Channel& channel = *codeplug.channelAt(row);
    const bool digital = channel.isDigital();
    switch (column) {
    case ChannelColumn::Number: appendNumber(out, row + 1); return;
    case ChannelColumn::Name: out += channel.name(); return;
    case ChannelColumn::RxFrequency: appendFrequency(out, channel.rxFrequency()); return;
    case ChannelColumn::Mode: out += digital ? "DMR" : "FM"; return;
    case ChannelColumn::Bandwidth: out += channel.bandwidth() == Bandwidth::Wide25k ? "25.0" : "12.5"; return;
    case ChannelColumn::TxFrequency: appendFrequency(out, channel.txFrequency()); return;
    case ChannelColumn::Admit: out += channel.admitText(); return;
    case ChannelColumn::Power: out += channel.powerText(codeplug.radioModelName()); return;
    case ChannelColumn::Slot: return appendNumberOrDash(out, digital, channel.timeSlot());
    case ChannelColumn::Color: return appendNumberOrDash(out, digital, channel.colorCode());
    case ChannelColumn::TxContact: {
        if (!digital)
            return appendToneOrDash(out, channel.ctcssEncode());
        const Contact* contact = channel.txContact() > 0 ? codeplug.contactAt(channel.txContact() - 1) : nullptr;
        out += contact ? contact->nameView() : std::string_view("NONE");
        return;
    }
    case ChannelColumn::RxGroup: {
        if (!digital)
            return appendToneOrDash(out, channel.ctcssDecode());
        if (channel.rxGroupList() == 0) {
            out += " - ";
            return;
        }
        const RxGroupList* list = codeplug.rxGroupListAt(channel.rxGroupList() - 1);
        out += list ? list->name() : std::string("MissingGrpList");
        return;
    }
    }
}

} // namespace pw
