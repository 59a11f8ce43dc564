#include "codeplug/packed_contact_stream.h"

#include "codeplug/septet_text.h"

#include <algorithm>

namespace pw {
namespace {

// The D868 contact block (contact.h).
namespace block {
constexpr std::size_t InUse = 4, CallType = 6, Name = 8, City = 26, DmrId = 42, Alert = 46, Callsign = 48,
                      State = 57, Country = 74, Remarks = 91;
} // namespace block

constexpr std::size_t HeadSize = 6;
constexpr std::uint32_t RecordNumberMask = 0xFFFFF;   // read: 20 bits
constexpr std::uint32_t WrittenNumberMask = 0x3FFFF;  // written: 18 bits
constexpr unsigned CallTypeShift = 20;
constexpr unsigned AlertShift = 22;

// Where each text goes in the block, how many characters a stream may hold and the model keeps.
struct TextField {
    std::size_t offset;
    std::size_t accepted;
    std::size_t kept;
};
constexpr TextField Texts[] = {
    {block::Name, 17, 16},  {block::City, 16, 16},    {block::Callsign, 9, 8},
    {block::State, 17, 16}, {block::Country, 17, 16}, {block::Remarks, 17, 16},
};

bool isBlank(std::uint8_t c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// Trims leading and trailing white space from the zero-padded name field in place.
void trimName(Bytes name)
{
    std::size_t end = 0;
    while (end < name.size() && getU8(name, end) != 0)
        ++end;
    std::size_t begin = 0;
    while (begin < end && isBlank(getU8(name, begin)))
        ++begin;
    while (end > begin && isBlank(getU8(name, end - 1)))
        --end;
    if (begin == 0 && end == name.size())
        return;
    std::size_t i = 0;
    for (; begin + i < end; ++i)
        setU8(name, i, getU8(name, begin + i));
    for (; i < name.size(); ++i)
        setU8(name, i, 0);
}

} // namespace

UnpackedContacts unpackContactStream(ConstBytes stream, std::size_t maxEntries)
{
    UnpackedContacts result;
    // No more entries than the stream's bytes could hold are ever reserved.
    const std::size_t possible = std::min(maxEntries, stream.size() / SmallestPackedContact + 1);
    result.blocks.reserve(possible);
    result.recordNumbers.reserve(possible);

    std::size_t offset = 0;
    while (result.blocks.size() < maxEntries) {
        if (!inBounds(stream, offset, HeadSize))
            break;
        auto& entry = result.blocks.emplace_back();
        Bytes bytes(entry);
        SeptetReader reader(stream, offset + HeadSize);
        bool whole = true;
        for (const auto& text : Texts) {
            if (!reader.readText(text.accepted, bytes.subspan(text.offset, text.kept))) {
                whole = false;
                break;
            }
        }
        // The entry is taken only when the offset after it lies below the stated length.
        if (!whole || reader.endOffset() >= stream.size()) {
            result.blocks.pop_back();
            break;
        }
        const std::uint32_t id = getU24Le(stream, offset);
        const std::uint32_t tail = getU24Le(stream, offset + 3);
        setU16Le(bytes, block::InUse, 1);
        setU16Le(bytes, block::CallType, (tail >> CallTypeShift) & 3u);
        setU32Le(bytes, block::DmrId, id);
        setU16Le(bytes, block::Alert, (tail >> AlertShift) & 3u);
        trimName(bytes.subspan(block::Name, 16));
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
        const ConstBytes bytes(contact->d868Block());
        ++number;
        const std::uint32_t callType = getU16Le(bytes, block::CallType) & 3u;
        const std::uint32_t alert = std::min<std::uint32_t>(getU16Le(bytes, block::Alert), 3u);
        const std::uint32_t tail = (number & WrittenNumberMask) | (callType << CallTypeShift) | (alert << AlertShift);
        setU24Le(entry, 0, getU32Le(bytes, block::DmrId) & 0xFFFFFF);
        setU24Le(entry, 3, tail);
        SeptetWriter writer(Bytes(entry).subspan(HeadSize));
        for (const auto& text : Texts)
            writer.putField(bytes, text.offset, text.kept);
        writer.finish();
        out.insert(out.end(), entry.begin(), entry.begin() + static_cast<std::ptrdiff_t>(HeadSize + writer.size()));
    }
}

} // namespace pw
