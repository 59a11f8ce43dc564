#include "codeplug/d868/packed_contact_stream.h"

#include "codeplug/d868/d868_records.h"
#include "codeplug/d868/septet_text.h"

#include <algorithm>
#include <array>
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

} // namespace

UnpackedContacts unpackContactStream(ConstBytes stream, std::size_t maxEntries, const Contact& prototype)
{
    UnpackedContacts result;
    // No more entries than the stream's bytes could hold are ever reserved.
    const std::size_t possible = std::min(maxEntries, stream.size() / SmallestPackedContact + 1);
    result.contacts.reserve(possible);
    result.recordNumbers.reserve(possible);

    std::size_t offset = 0;
    std::optional<std::string> texts[6];
    while (result.contacts.size() < maxEntries) {
        if (!inBounds(stream, offset, HeadSize))
            break;
        SeptetReader reader(stream, offset + HeadSize);
        const TextField fields[6] = {NameField, CityField, CallsignField, OtherField, OtherField, OtherField};
        bool whole = true;
        for (int i = 0; i < 6 && whole; ++i) {
            texts[i] = reader.readText(fields[i].accepted, fields[i].kept);
            whole = texts[i].has_value();
        }
        // The entry is taken only when the offset after it lies below the stated length.
        if (!whole || reader.endOffset() >= stream.size())
            break;
        const std::uint32_t tail = getU24Le(stream, offset + 3);
        auto contact = std::make_unique<Contact>(prototype);
        contact->assignDmrId(getU24Le(stream, offset));
        contact->assignCallType(callTypeOf((tail >> CallTypeShift) & 3u));
        contact->assignAlertTone(((tail >> AlertShift) & 3u) != 0);
        contact->assignName(d868::ContactRecordFormat::shownName(trimmed(*texts[0])));
        contact->assignDescriptive(ContactText::City, *texts[1]);
        contact->assignDescriptive(ContactText::Callsign, *texts[2]);
        contact->assignDescriptive(ContactText::State, *texts[3]);
        contact->assignDescriptive(ContactText::Country, *texts[4]);
        contact->assignDescriptive(ContactText::Remarks, *texts[5]);
        result.contacts.push_back(std::move(contact));
        result.recordNumbers.push_back(tail & RecordNumberMask);
        offset = reader.endOffset();
    }
    return result;
}

void packContactStream(std::span<const Contact* const> contacts, std::vector<std::uint8_t>& out)
{
    // The longest entry: the head and 94 septets (16, 16, 8, 16, 16 and 16 characters and six
    // terminators) in 83 bytes.
    std::array<std::uint8_t, 96> entry{};
    std::uint32_t number = 0;
    for (const Contact* contact : contacts) {
        ++number;
        const std::uint32_t tail = (number & WrittenNumberMask) | (callTypeBits(contact->callType()) << CallTypeShift) |
                                   (std::uint32_t{contact->alertTone()} << AlertShift);
        setU24Le(entry, 0, contact->dmrId() & 0xFFFFFF);
        setU24Le(entry, 3, tail);
        SeptetWriter writer(Bytes(entry).subspan(HeadSize));
        writer.putText(contact->name(), NameField.kept);
        writer.putText(contact->city(), CityField.kept);
        writer.putText(contact->callsign(), CallsignField.kept);
        writer.putText(contact->state(), OtherField.kept);
        writer.putText(contact->country(), OtherField.kept);
        writer.putText(contact->remarks(), OtherField.kept);
        writer.finish();
        out.insert(out.end(), entry.begin(), entry.begin() + static_cast<std::ptrdiff_t>(HeadSize + writer.size()));
    }
}

} // namespace pw
