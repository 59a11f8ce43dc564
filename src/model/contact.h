// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One entry of a codeplug's digital contact list: a DMR ID, a name, a call type and an alert tone,
// with the descriptive texts that some radios keep beside them.
//
// A contact belongs to one codeplug format, whose ContactFormat decides what of each value the
// radio can store: every setter hands the value to the format, which writes it into the contact's
// family record and takes back what the record holds. So a contact always shows what a save will
// write, and a contact read from a file keeps the bytes of its record that no field covers.
// Moving a contact to a codeplug of another format makes a new contact there and copies the values.

#include "model/contact_buffer.h"
#include "model/record_format.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace pw {

enum class CallType : std::uint8_t { GroupCall = 0, PrivateCall = 1, AllCall = 2 };

// The DMR ID that All Call contacts carry.
inline constexpr std::uint32_t AllCallId = 0xFFFFFF;
// The largest DMR ID: 24 bits.
inline constexpr std::uint32_t MaxDmrId = 0xFFFFFF;

// The descriptive texts, in the order of the contact line.
enum class ContactText : std::uint8_t { Callsign, City, State, Country, Remarks };

// What reading a contact line found.
enum class ContactLineRead {
    Read,
    // Under 10 characters.
    TooShort,
    // Fewer than four fields.
    TooFewFields,
    // An ID field that is not all digits (a sign, blanks, "0x", an exponent or letters).
    IdNotANumber,
    // An ID above MaxDmrId, which a record would store as another ID.
    IdOutOfRange,
};

class Contact {
public:
    // A new contact of `format`: ID 16777215, no name, Private Call, no alert tone.
    explicit Contact(const ContactFormat& format);

    const ContactFormat& format() const { return *format_; }

    std::uint32_t dmrId() const { return dmrId_; }
    void setDmrId(std::uint32_t id);

    std::string name() const { return std::string(nameView()); }
    std::string_view nameView() const { return buffer_.text(NameSlot); }
    void setName(std::string_view name);

    CallType callType() const { return callType_; }
    // All Call also sets the All Call ID.
    void setCallType(CallType type);
    // "A" gives All Call, "G" Group Call, any other letter Private Call (case ignored).
    void setCallTypeFromLetter(char letter);
    std::string callTypeText() const { return callTypeName(callType()); }
    static std::string callTypeName(CallType type);

    bool alertTone() const { return alertTone_; }
    void setAlertTone(bool on);
    std::string alertToneText() const { return alertTone() ? "Yes" : "No"; }

    // The descriptive texts; empty in formats that keep none.
    std::string callsign() const { return descriptive(ContactText::Callsign); }
    std::string city() const { return descriptive(ContactText::City); }
    std::string state() const { return descriptive(ContactText::State); }
    std::string country() const { return descriptive(ContactText::Country); }
    std::string remarks() const { return descriptive(ContactText::Remarks); }
    std::string descriptive(ContactText which) const { return std::string(descriptiveView(which)); }
    std::string_view descriptiveView(ContactText which) const { return buffer_.text(slotOf(which)); }
    void setCallsign(std::string_view text) { setDescriptive(ContactText::Callsign, text); }
    void setCity(std::string_view text) { setDescriptive(ContactText::City, text); }
    void setState(std::string_view text) { setDescriptive(ContactText::State, text); }
    void setCountry(std::string_view text) { setDescriptive(ContactText::Country, text); }
    void setRemarks(std::string_view text) { setDescriptive(ContactText::Remarks, text); }
    void setDescriptive(ContactText which, std::string_view text);

    bool isTalkgroup() const { return isTalkgroup_; }
    void setTalkgroup(bool on) { isTalkgroup_ = on; }

    // The one-line text form: nine quoted fields separated by commas, no line end.
    std::string toLine() const;
    // Reads a contact line into this contact; the contact is changed only when the line reads.
    ContactLineRead fromLine(std::string_view line);

    // ---- For the formats: the stored values, written without asking the format ----

    // The bytes of the contact's record in its family's layout, as read or as last written. The
    // view stays valid until the record is replaced; changing the texts does not move it.
    std::span<std::uint8_t> familyRecord() { return buffer_.record(); }
    std::span<const std::uint8_t> familyRecord() const { return buffer_.record(); }
    void setFamilyRecord(std::span<const std::uint8_t> bytes) { buffer_.setRecord(bytes); }
    void assignDmrId(std::uint32_t id) { dmrId_ = id; }
    void assignCallType(CallType type) { callType_ = type; }
    void assignAlertTone(bool on) { alertTone_ = on; }
    void assignName(std::string_view name) { buffer_.setText(NameSlot, name); }
    void assignDescriptive(ContactText which, std::string_view text) { buffer_.setText(slotOf(which), text); }
    // All texts at once: the name, then callsign, city, state, country and remarks.
    void assignTexts(const std::array<std::string_view, ContactBuffer::TextCount>& texts) { buffer_.setTexts(texts); }

private:
    static constexpr int NameSlot = 0;
    static constexpr int slotOf(ContactText which) { return static_cast<int>(which) + 1; }

    const ContactFormat* format_;
    ContactBuffer buffer_;
    std::uint32_t dmrId_ = AllCallId;
    CallType callType_ = CallType::PrivateCall;
    bool alertTone_ = false;
    bool isTalkgroup_ = false;
};

} // namespace pw
