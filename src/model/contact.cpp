// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/contact.h"

#include "model/field_readers.h"
#include "model/letter_case.h"
#include "model/line_fields.h"

#include <algorithm>
#include <cctype>

namespace pw {

// The contacts of a large table are most of a program's memory: a contact stays within 88 bytes, so
// that with the heap's own word it takes one 96-byte block.
static_assert(sizeof(Contact) <= 88);

namespace {
std::string_view untilZero(std::string_view text) { return text.substr(0, std::min(text.find('\0'), text.size())); }
} // namespace

Contact::Contact(const ContactFormat& format) : format_(&format)
{
    format.initialize(*this);
}

void Contact::setDmrId(std::uint32_t id)
{
    dmrId_ = id & MaxDmrId;
    format_->store(*this, ContactField::DmrId);
}

void Contact::setName(std::string_view name)
{
    buffer_.setText(NameSlot, name);
    format_->store(*this, ContactField::Name);
}

void Contact::setCallType(CallType type)
{
    if (type == CallType::AllCall)
        setDmrId(AllCallId);
    callType_ = type;
    format_->store(*this, ContactField::CallType);
}

void Contact::setCallTypeFromLetter(char letter)
{
    const char upper = upperAscii(letter);
    setCallType(upper == 'A' ? CallType::AllCall : upper == 'G' ? CallType::GroupCall : CallType::PrivateCall);
}

std::string Contact::callTypeName(CallType type)
{
    switch (type) {
    case CallType::GroupCall: return "Group Call";
    case CallType::AllCall: return "All Call";
    default: return "Private Call";
    }
}

void Contact::setAlertTone(bool on)
{
    alertTone_ = on;
    format_->store(*this, ContactField::AlertTone);
}

void Contact::setDescriptive(ContactText which, std::string_view text)
{
    buffer_.setText(slotOf(which), text);
    format_->store(*this, ContactField::DescriptiveTexts);
}

std::string Contact::toLine() const
{
    std::string line;
    auto field = [&line](std::string_view value) {
        if (!line.empty())
            line += ',';
        appendQuotedField(line, value);
    };
    field(std::to_string(dmrId()));
    field(name());
    field(callTypeText());
    field(alertToneText());
    field(callsign());
    field(city());
    field(state());
    field(country());
    field(remarks());
    return line;
}

ContactLineRead Contact::fromLine(std::string_view line)
{
    constexpr std::size_t FieldLimit = 127;
    line = untilZero(line);
    if (line.size() < 10)
        return ContactLineRead::TooShort;
    std::string fields[4];
    for (int i = 0; i < 4; ++i)
        if (CsvFieldReader::field(line, i, FieldLimit, fields[i]) < 0)
            return ContactLineRead::TooFewFields;
    // "0x10", "1e5" and "12abc" would otherwise be taken as 0, 1 and 12.
    const auto id = plainDecimal(fields[0]);
    if (!id)
        return ContactLineRead::IdNotANumber;
    if (*id > MaxDmrId)
        return ContactLineRead::IdOutOfRange;
    setDmrId(static_cast<std::uint32_t>(*id));
    setName(fields[1]);
    setCallTypeFromLetter(fields[2].empty() ? '\0' : fields[2][0]);
    setAlertTone(!fields[3].empty() && (fields[3][0] == 'Y' || fields[3][0] == 'y'));

    constexpr ContactText texts[] = {ContactText::Callsign, ContactText::City, ContactText::State,
                                     ContactText::Country, ContactText::Remarks};
    for (int i = 0; i < 5; ++i) {
        std::string text;
        if (CsvFieldReader::field(line, 4 + i, FieldLimit, text) >= 0 && !text.empty())
            setDescriptive(texts[i], text);
    }
    return ContactLineRead::Read;
}

} // namespace pw
