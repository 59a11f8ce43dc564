// SPDX-License-Identifier: GPL-3.0-or-later
#include "codeplug/d868/packed_contact_stream.h"

#include "codeplug/d868/d868_records.h"
#include "codeplug/d868/septet_text.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <optional>

namespace pw {
namespace {

constexpr std::size_t HeadSize = 6;
constexpr std::uint32_t RecordNumberMask = 0xFFFFF;   // read: 20 bits
constexpr std::uint32_t WrittenNumberMask = 0x3FFFF;  // written: 18 bits
constexpr unsigned CallTypeShift = 20;
constexpr unsigned AlertShift = 22;

// How many characters of each text, in stream order, a stream may hold and the model keeps.
struct TextField {
    std::size_t accepted;
    std::size_t kept;
};
constexpr TextField NameField{17, 16};
constexpr TextField CityField{16, 16};
constexpr TextField CallsignField{9, 8};
constexpr TextField OtherField{17, 16};

bool isBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

CallType callTypeOf(std::uint32_t bits)
{
    return bits == 1 ? CallType::GroupCall : bits == 2 ? CallType::AllCall : CallType::PrivateCall;
}

std::uint32_t callTypeBits(CallType type)
{
    return type == CallType::GroupCall ? 1u : type == CallType::AllCall ? 2u : 0u;
}

// The septets of one stream, read through a 64-bit window that takes seven or eight bytes at once.
class SeptetStream {
public:
    SeptetStream(ConstBytes bytes, std::size_t offset) : data_(bytes.data()), size_(bytes.size()), next_(offset) {}

    // The next septet; false when its seven bits are not all inside the stream.
    bool take(std::uint8_t& c)
    {
        if (bits_ < 7 && !refill())
            return false;
        c = static_cast<std::uint8_t>(window_ & 0x7F);
        window_ >>= 7;
        bits_ -= 7;
        ++taken_;
        return true;
    }
    // The number of septets taken.
    std::size_t taken() const { return taken_; }

private:
    bool refill()
    {
        if (next_ + 8 <= size_) {
            std::uint64_t word;
            std::memcpy(&word, data_ + next_, 8);
            const unsigned room = (64 - bits_) / 8;
            if (room < 8)
                word &= (std::uint64_t{1} << (8 * room)) - 1;
            window_ |= word << bits_;
            bits_ += 8 * room;
            next_ += room;
        } else {
            while (bits_ <= 56 && next_ < size_) {
                window_ |= static_cast<std::uint64_t>(data_[next_++]) << bits_;
                bits_ += 8;
            }
        }
        return bits_ >= 7;
    }

    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t next_;
    std::uint64_t window_ = 0;
    unsigned bits_ = 0;
    std::size_t taken_ = 0;
};

} // namespace

std::size_t possibleEntries(ConstBytes stream, std::size_t maxEntries)
{
    return std::min(maxEntries, stream.size() / SmallestPackedContact + 1);
}

UnpackedContacts unpackContactStream(ConstBytes stream, std::size_t maxEntries, const Contact& prototype)
{
    UnpackedContacts result;
    const std::size_t possible = possibleEntries(stream, maxEntries);
    result.contacts.reserve(possible);
    result.recordNumbers.reserve(possible);
    unpackContactStream(stream, maxEntries, prototype, [&result](std::unique_ptr<Contact> contact, std::uint32_t number) {
        result.contacts.push_back(std::move(contact));
        result.recordNumbers.push_back(number);
    });
    return result;
}

std::size_t unpackContactStream(ConstBytes stream, std::size_t maxEntries, const Contact& prototype,
                                const std::function<void(std::unique_ptr<Contact>, std::uint32_t)>& take)
{
    std::size_t taken = 0;

    // Texts in stream order, with the characters a stream may hold and the model keeps of each.
    constexpr TextField Fields[6] = {NameField, CityField, CallsignField, OtherField, OtherField, OtherField};
    std::array<std::array<std::uint8_t, 16>, 6> texts;
    std::array<std::size_t, 6> lengths{};
    std::size_t offset = 0;
    while (taken < maxEntries) {
        if (!inBounds(stream, offset, HeadSize))
            break;
        // A text ends at a zero septet, or after the most characters accepted, where the septet that
        // follows is taken as its end whatever it holds. An entry whose texts run past the stream's
        // end is not taken.
        SeptetStream septets(stream, offset + HeadSize);
        bool whole = true;
        for (std::size_t i = 0; i < 6 && whole; ++i) {
            std::size_t read = 0;
            std::size_t kept = 0;
            std::uint8_t c = 0;
            for (;;) {
                if (!septets.take(c)) {
                    whole = false;
                    break;
                }
                if (c == 0)
                    break;
                if (kept < Fields[i].kept)
                    texts[i][kept++] = c;
                if (++read == Fields[i].accepted) {
                    whole = septets.take(c);
                    break;
                }
            }
            lengths[i] = kept;
        }
        const std::size_t end = offset + HeadSize + (septets.taken() * 7 + 7) / 8;
        // The entry is taken only when the offset after it lies below the stated length.
        if (!whole || end >= stream.size())
            break;
        const auto text = [&](std::size_t i) {
            return std::string_view(reinterpret_cast<const char*>(texts[i].data()), lengths[i]);
        };
        // The name as the radio shows it: blanks around it dropped, control characters as hyphens.
        const auto raw = trimmed(text(0));
        std::array<char, 16> shown;
        for (std::size_t i = 0; i < raw.size(); ++i)
            shown[i] = static_cast<unsigned char>(raw[i]) < 32 ? '-' : raw[i];
        const std::string_view name(shown.data(), raw.size());
        const std::uint32_t tail = getU24Le(stream, offset + 3);
        auto contact = std::make_unique<Contact>(prototype);
        contact->assignDmrId(getU24Le(stream, offset));
        contact->assignCallType(callTypeOf((tail >> CallTypeShift) & 3u));
        contact->assignAlertTone(((tail >> AlertShift) & 3u) != 0);
        // The field holds 2 or 3 in some files: kept, so an unedited contact writes back what it read.
        const auto alertField = static_cast<std::uint8_t>((tail >> AlertShift) & 3u);
        contact->setFamilyRecord({&alertField, 1});
        // The model's order: name, callsign, city, state, country, remarks.
        contact->assignTexts({name, text(2), text(1), text(3), text(4), text(5)});
        take(std::move(contact), tail & RecordNumberMask);
        ++taken;
        offset = end;
    }
    return taken;
}

namespace {

// The texts of a contact as the stream holds them, in stream order, with the characters kept.
struct StreamText {
    std::string_view text;
    std::size_t kept;
};

std::array<StreamText, 6> streamTexts(const Contact& contact)
{
    return {{{contact.nameView(), NameField.kept},
             {contact.descriptiveView(ContactText::City), CityField.kept},
             {contact.descriptiveView(ContactText::Callsign), CallsignField.kept},
             {contact.descriptiveView(ContactText::State), OtherField.kept},
             {contact.descriptiveView(ContactText::Country), OtherField.kept},
             {contact.descriptiveView(ContactText::Remarks), OtherField.kept}}};
}

// The characters of a text that go into the stream: at most `kept`. A contact's texts hold no zero
// byte (ContactBuffer cuts them there), so none ends a text early.
std::size_t storedLength(const StreamText& field) { return std::min(field.text.size(), field.kept); }

// The alert field as read when the alert tone is still what was read, else 0 or 1.
std::uint32_t alertBits(const Contact& contact)
{
    const auto kept = contact.familyRecord();
    if (kept.size() == 1 && (kept[0] != 0) == contact.alertTone())
        return kept[0] & 3u;
    return contact.alertTone() ? 1u : 0u;
}

// The longest entry: the head and 94 septets (16, 16, 8, 16, 16 and 16 characters and six
// terminators) in 83 bytes; the packer writes eight bytes at a time and needs them to spare.
constexpr std::size_t MostSeptets = 94;

// Packs one entry into `entry` (with eight bytes to spare) and returns its length.
std::size_t packEntry(const Contact& contact, std::uint32_t number, std::uint8_t* entry)
{
    const std::uint32_t tail = (number & WrittenNumberMask) | (callTypeBits(contact.callType()) << CallTypeShift) |
                               (alertBits(contact) << AlertShift);
    const std::uint32_t id = contact.dmrId() & 0xFFFFFF;
    for (std::size_t i = 0; i < 3; ++i) {
        entry[i] = static_cast<std::uint8_t>(id >> (8 * i));
        entry[3 + i] = static_cast<std::uint8_t>(tail >> (8 * i));
    }
    // The septets of the texts and their terminators, a byte each, then packed eight at a time.
    std::array<std::uint8_t, MostSeptets + 8> septets;
    std::size_t count = 0;
    for (const auto& field : streamTexts(contact)) {
        const std::size_t length = storedLength(field);
        for (std::size_t i = 0; i < length; ++i)
            septets[count++] = septetOf(static_cast<unsigned char>(field.text[i]));
        septets[count++] = 0;
    }
    std::fill_n(septets.begin() + static_cast<std::ptrdiff_t>(count), 8, std::uint8_t{0});
    std::uint8_t* out = entry + HeadSize;
    for (std::size_t i = 0; i < count; i += 8, out += 7) {
        std::uint64_t word;
        std::memcpy(&word, septets.data() + i, 8);
        // Eight bytes of seven bits become 56 bits, the first septet lowest: pairs, then fours.
        word = (word & 0x007F007F007F007FULL) | ((word & 0x7F007F007F007F00ULL) >> 1);
        word = (word & 0x00003FFF00003FFFULL) | ((word & 0x3FFF00003FFF0000ULL) >> 2);
        word = (word & 0x000000000FFFFFFFULL) | ((word & 0x0FFFFFFF00000000ULL) >> 4);
        std::memcpy(out, &word, 8);
    }
    return HeadSize + (count * 7 + 7) / 8;
}

using EntryBuffer = std::array<std::uint8_t, HeadSize + (MostSeptets * 7 + 7) / 8 + 8>;

} // namespace

void packContactStream(std::span<const Contact* const> contacts, std::vector<std::uint8_t>& out)
{
    EntryBuffer entry{};
    std::uint32_t number = 0;
    for (const Contact* contact : contacts) {
        const std::size_t length = packEntry(*contact, ++number, entry.data());
        out.insert(out.end(), entry.begin(), entry.begin() + static_cast<std::ptrdiff_t>(length));
    }
}

bool packContactStream(std::span<const Contact* const> contacts, ByteSink& out)
{
    EntryBuffer entry{};
    std::uint32_t number = 0;
    for (const Contact* contact : contacts) {
        const std::size_t length = packEntry(*contact, ++number, entry.data());
        if (!out.write(std::span<const std::uint8_t>(entry.data(), length)))
            return false;
    }
    return true;
}

std::size_t packedStreamSize(std::span<const Contact* const> contacts)
{
    std::size_t size = 0;
    for (const Contact* contact : contacts) {
        std::size_t septets = 0;
        for (const auto& field : streamTexts(*contact))
            septets += storedLength(field) + 1;
        size += HeadSize + (septets * 7 + 7) / 8;
    }
    return size;
}

} // namespace pw
