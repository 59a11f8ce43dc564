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

// The most septets one entry takes: 17, 16, 9, 17, 17 and 17 characters and six terminators.
constexpr std::size_t MostEntrySeptets = 99;

// The septets of one entry, expanded from the stream a group of eight at a time as its texts need
// them; never more than the stream holds.
class EntrySeptets {
public:
    EntrySeptets(ConstBytes stream, std::size_t start)
        : stream_(stream), start_(start),
          available_(start < stream.size() ? std::min((stream.size() - start) * 8 / 7, septets_.size()) : 0)
    {
    }

    // How many septets lie wholly inside the stream (as many as an entry can take, at most).
    std::size_t available() const { return available_; }
    // The septets, the first `count` of them (at most available()) expanded.
    const std::uint8_t* first(std::size_t count)
    {
        if (count > expanded_) {
            // Most entries take fewer than 72 septets: those are expanded in one go.
            constexpr std::size_t Usual = 72;
            const std::size_t wanted =
                std::min(std::max((count - expanded_ + 7) / 8 * 8, Usual), available_ - expanded_);
            expanded_ += unpackSeptets(stream_, start_ + expanded_ / 8 * 7, wanted, septets_.data() + expanded_);
        }
        return septets_.data();
    }

private:
    ConstBytes stream_;
    std::size_t start_;
    std::array<std::uint8_t, (MostEntrySeptets + 7) / 8 * 8> septets_;
    std::size_t available_;
    std::size_t expanded_ = 0;
};

} // namespace

std::size_t possibleEntries(ConstBytes stream, std::size_t maxEntries)
{
    return std::min(maxEntries, stream.size() / SmallestPackedContact + 1);
}

std::size_t unpackContactStream(ConstBytes stream, std::size_t maxEntries,
                                const std::function<Contact&(std::uint32_t)>& place)
{
    std::size_t taken = 0;

    // Texts in stream order, with the characters a stream may hold and the model keeps of each.
    constexpr TextField Fields[6] = {NameField, CityField, CallsignField, OtherField, OtherField, OtherField};
    std::array<std::size_t, 6> starts{};
    std::array<std::size_t, 6> lengths{};
    std::size_t offset = 0;
    while (taken < maxEntries) {
        if (!inBounds(stream, offset, HeadSize))
            break;
        // A text ends at a zero septet, or after the most characters accepted, where the septet that
        // follows is taken as its end whatever it holds. An entry whose texts run past the stream's
        // end is not taken.
        EntrySeptets septets(stream, offset + HeadSize);
        const std::uint8_t* septet = nullptr;
        std::size_t used = 0;
        bool whole = true;
        for (std::size_t i = 0; i < 6 && whole; ++i) {
            const std::size_t accepted = Fields[i].accepted;
            // The text and the septet that ends it, as far as the stream has them.
            const std::size_t reach = std::min(used + accepted + 1, septets.available());
            septet = septets.first(reach);
            const std::size_t most = std::min(accepted, reach - used);
            std::size_t read = 0;
            while (read < most && septet[used + read] != 0)
                ++read;
            // Without a zero the text ends after the most characters accepted, and the septet
            // after them must still be in the stream.
            whole = read < most || (read == accepted && reach > used + accepted);
            starts[i] = used;
            lengths[i] = std::min(read, Fields[i].kept);
            used += read + 1;
        }
        const std::size_t end = offset + HeadSize + (used * 7 + 7) / 8;
        // The entry is taken only when the offset after it lies below the stated length.
        if (!whole || end >= stream.size())
            break;
        const auto text = [&](std::size_t i) {
            return std::string_view(reinterpret_cast<const char*>(septet + starts[i]), lengths[i]);
        };
        // The name as the radio shows it: blanks around it dropped, control characters as hyphens.
        const auto raw = trimmed(text(0));
        std::array<char, 16> shown;
        for (std::size_t i = 0; i < raw.size(); ++i)
            shown[i] = static_cast<unsigned char>(raw[i]) < 32 ? '-' : raw[i];
        const std::string_view name(shown.data(), raw.size());
        const std::uint32_t tail = getU24Le(stream, offset + 3);
        Contact& contact = place(tail & RecordNumberMask);
        contact.assignDmrId(getU24Le(stream, offset));
        contact.assignCallType(callTypeOf((tail >> CallTypeShift) & 3u));
        contact.assignAlertTone(((tail >> AlertShift) & 3u) != 0);
        // The field holds 2 or 3 in some files: kept, so an unedited contact writes back what it read.
        const auto alertField = static_cast<std::uint8_t>((tail >> AlertShift) & 3u);
        contact.setFamilyRecord({&alertField, 1});
        // The model's order: name, callsign, city, state, country, remarks.
        contact.assignTexts({name, text(2), text(1), text(3), text(4), text(5)});
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

// The longest entry written: the head and 94 septets (16, 16, 8, 16, 16 and 16 characters and six
// terminators) in 83 bytes.
constexpr std::size_t MostSeptets = 94;

// Packs one entry into `entry` and returns its length.
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
    std::array<std::uint8_t, MostSeptets> septets;
    std::size_t count = 0;
    for (const auto& field : streamTexts(contact)) {
        const std::size_t length = storedLength(field);
        for (std::size_t i = 0; i < length; ++i)
            septets[count++] = septetOf(static_cast<unsigned char>(field.text[i]));
        septets[count++] = 0;
    }
    return HeadSize + packSeptets(septets.data(), count, entry + HeadSize);
}

using EntryBuffer = std::array<std::uint8_t, HeadSize + (MostSeptets * 7 + 7) / 8>;

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
