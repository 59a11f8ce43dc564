// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a codeplug format decides about the records of the model.
//
// The records hold the values users see. How a format stores them (the byte layout of its
// records, the characters its names can hold, the frequency steps, which power levels and admit
// criteria it knows, how its zones and lists keep their members) is the format's: each family of
// formats implements these interfaces beside its codec, and a record is made for one format and
// asks it whenever a value changes. The model itself knows no format.

#include "model/unicode_text.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace pw {

class Contact;
class Channel;
class Zone;
class ScanList;
class RxGroupList;
enum class ChannelMode : std::uint8_t;
enum class PowerLevel : std::uint8_t;
enum class ContactText : std::uint8_t;

// The room a record has for a name or a text: the most characters it stores (longer texts are
// cut) and the characters it stores them in. No room at all for a text the record does not keep.
struct TextRoom {
    std::size_t characters = 0;
    StoredCharacters set = StoredCharacters::Unicode;

    bool keeps() const { return characters > 0; }
    // Whether `utf8` fits without a cut.
    bool fits(std::string_view utf8) const { return storedLength(utf8, set) <= characters; }
};

// ---- Contacts ----

enum class ContactField : std::uint8_t { DmrId, Name, CallType, AlertTone, DescriptiveTexts };

class ContactFormat {
public:
    virtual ~ContactFormat() = default;
    // Gives a new contact the format's record and the values it reads as.
    virtual void initialize(Contact& contact) const = 0;
    // Writes `field`, as the contact now holds it, into the contact's record and takes back what
    // the record holds of every field.
    virtual void store(Contact& contact, ContactField field) const = 0;
    // A name typed elsewhere as this format compares it with its stored names (a format whose
    // alphabet is small compares it as it would store it).
    virtual std::string lookupName(std::string_view name) const = 0;
    // False when the format's alphabet cannot hold the name even transliterated: editors refuse it.
    virtual bool holdsName(std::string_view /*name*/) const { return true; }
    // The room of the name, and of each descriptive text (none where the format keeps none).
    virtual TextRoom nameRoom() const = 0;
    virtual TextRoom textRoom(ContactText /*which*/) const { return {}; }
};

// ---- Channels ----

enum class ChannelField : std::uint8_t {
    Name, Mode, Bandwidth, RxFrequency, TxFrequency, Squelch, RxRefFrequency, TxRefFrequency, Tot,
    TotRekeyDelay, Power, AdmitCriterion, AutoScan, RxOnly, LoneWorker, Vox, Talkaround, CtcssDecode,
    CtcssEncode, QtReverse, RxSignaling, TxSignaling, AnalogOption, DecodeSwitches, ColorCode, TimeSlot,
    PrivateCallConfirmed, EmergencyAlarmAck, DataCallConfirmed, Privacy, PrivacyType, PrivacyCode,
    TxContact, ScanList, RxGroupList, EmergencySystem,
};

class ChannelFormat {
public:
    virtual ~ChannelFormat() = default;
    // The record a new channel starts from, before its defaults are set.
    virtual std::vector<std::uint8_t> blankRecord() const = 0;
    // Called once a new channel has its defaults, receiving and transmitting on `frequencyMhz`.
    virtual void finishNewChannel(Channel& channel, double frequencyMhz) const = 0;
    // Writes `field`, as the channel now holds it, into the channel's record and takes back what
    // the record holds of every field.
    virtual void store(Channel& channel, ChannelField field) const = 0;
    // The channel line is read into an emptied record, and the record is marked as read from a
    // line when it is done.
    virtual void beginChannelLine(Channel& channel) const = 0;
    virtual void endChannelLine(Channel& channel) const = 0;

    // The admit criterion as text, as read from text, and the texts offered for a mode.
    virtual std::string admitText(const Channel& channel) const = 0;
    virtual int admitFromText(const Channel& channel, std::string_view text) const = 0;
    virtual std::vector<std::string> admitChoices(ChannelMode mode) const = 0;
    // "LOW", "MID" or "HIGH" as the radio named `radioModel` shows the stored power.
    virtual std::string powerText(const Channel& channel, std::string_view radioModel) const = 0;
    // The power that a text beginning with no known letter gives.
    virtual PowerLevel powerOfUnknownText() const = 0;
    // The high-power test of the channel sort.
    virtual bool isHighPower(const Channel& channel) const = 0;
    // A name typed elsewhere as this format compares it with its stored names.
    virtual std::string lookupName(std::string_view name) const = 0;
    // False when the format's alphabet cannot hold the name even transliterated: editors refuse it.
    virtual bool holdsName(std::string_view /*name*/) const { return true; }
    virtual TextRoom nameRoom() const = 0;
};

// ---- Zones, scan lists and RX group lists ----
//
// Members are the member numbers of the codeplug (see Codeplug::memberNumberOf): 0 marks an empty
// entry. Each format keeps its members in its own record, with its own rules for which entries
// hold members; the lists ask it for every read and change.

class ZoneFormat {
public:
    virtual ~ZoneFormat() = default;
    virtual std::vector<std::uint8_t> blankRecord() const = 0;
    virtual std::string name(const Zone& zone) const = 0;
    virtual void setName(Zone& zone, std::string_view name) const = 0;
    // Banks of a zone (2 for the formats whose zones have a bank B) and members per bank.
    virtual int bankCount() const = 0;
    virtual int capacity() const = 0;
    // Entries of a bank that can hold members.
    virtual int entryCount() const = 0;
    virtual int memberCount(const Zone& zone, int bank) const = 0;
    // The member number at entry i, 0 when the entry holds none.
    virtual int member(const Zone& zone, int bank, int i) const = 0;
    virtual void setMember(Zone& zone, int bank, int i, int value) const = 0;
    virtual bool holdsMember(const Zone& zone, int bank, int i) const = 0;
    // Adds a member after the others; false when the bank is full.
    virtual bool appendMember(Zone& zone, int bank, int value) const = 0;
    // Moves later members up one place over entry i; false when entry i holds no member.
    virtual bool removeMember(Zone& zone, int bank, int i) const = 0;
};

class ScanListFormat {
public:
    virtual ~ScanListFormat() = default;
    virtual std::vector<std::uint8_t> blankRecord() const = 0;
    virtual std::string name(const ScanList& list) const = 0;
    virtual void setName(ScanList& list, std::string_view name) const = 0;
    // Members a list holds, and the entries that can hold them.
    virtual int memberLimit() const = 0;
    virtual int entryCount() const = 0;
    virtual int memberCount(const ScanList& list) const = 0;
    virtual int member(const ScanList& list, int i) const = 0;
    virtual void setMember(ScanList& list, int i, int value) const = 0;
    virtual bool holdsMember(const ScanList& list, int i) const = 0;
    // Adds a member after the others; false when the list is full.
    virtual bool appendMember(ScanList& list, int value) const = 0;
    virtual bool removeMember(ScanList& list, int i) const = 0;
};

class RxGroupListFormat {
public:
    virtual ~RxGroupListFormat() = default;
    virtual std::vector<std::uint8_t> blankRecord() const = 0;
    virtual std::string name(const RxGroupList& list) const = 0;
    virtual void setName(RxGroupList& list, std::string_view name) const = 0;
    virtual int memberLimit() const = 0;
    // Entries of the record that can hold members.
    virtual int entryCount() const = 0;
    // The stored member count, bounded by the entries, as the decoder reads it.
    virtual int storedMemberCount(const RxGroupList& list) const = 0;
    virtual int member(const RxGroupList& list, int i) const = 0;
    virtual void setMember(RxGroupList& list, int i, int value) const = 0;
    virtual void setMemberCount(RxGroupList& list, int count) const = 0;
};

} // namespace pw
