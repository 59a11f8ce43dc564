#include "codeplug/septet_text.h"

namespace pw {

SeptetReader::SeptetReader(ConstBytes bytes, std::size_t offset) : bytes_(bytes), bitPosition_(offset * 8) {}

std::optional<std::uint8_t> SeptetReader::next()
{
    if (bitPosition_ + 7 > bytes_.size() * 8)
        return std::nullopt;
    const std::size_t byte = bitPosition_ / 8;
    const unsigned shift = bitPosition_ % 8;
    // Two bytes hold any septet; the second is read only when the septet reaches into it.
    unsigned window = getU8(bytes_, byte);
    if (shift > 1)
        window |= static_cast<unsigned>(getU8(bytes_, byte + 1)) << 8;
    bitPosition_ += 7;
    return static_cast<std::uint8_t>((window >> shift) & 0x7F);
}

std::optional<std::size_t> SeptetReader::readText(std::size_t accepted, Bytes field)
{
    std::size_t read = 0;
    std::size_t stored = 0;
    for (;;) {
        const auto c = next();
        if (!c)
            return std::nullopt;
        if (*c == 0)
            return stored;
        if (stored < field.size())
            setU8(field, stored++, *c);
        if (++read == accepted) {
            // The septet after the longest accepted text ends it, whatever it holds.
            if (!next())
                return std::nullopt;
            return stored;
        }
    }
}

std::optional<std::string> SeptetReader::readText(std::size_t accepted, std::size_t kept)
{
    std::string text(kept, '\0');
    const auto stored = readText(accepted, Bytes(reinterpret_cast<std::uint8_t*>(text.data()), text.size()));
    if (!stored)
        return std::nullopt;
    text.resize(*stored);
    return text;
}

void SeptetWriter::putSeptet(std::uint8_t septet)
{
    pending_ |= static_cast<std::uint32_t>(septet) << pendingBits_;
    pendingBits_ += 7;
    if (pendingBits_ >= 8) {
        out_.push_back(static_cast<std::uint8_t>(pending_ & 0xFF));
        pending_ >>= 8;
        pendingBits_ -= 8;
    }
}

void SeptetWriter::putText(std::string_view text, std::size_t limit)
{
    for (std::size_t i = 0; i < text.size() && i < limit && text[i] != '\0'; ++i)
        put(static_cast<unsigned char>(text[i]));
    putSeptet(0);
}

void SeptetWriter::putField(ConstBytes field, std::size_t offset, std::size_t limit)
{
    for (std::size_t i = 0; i < limit; ++i) {
        const auto c = getU8(field, offset + i);
        if (c == 0)
            break;
        put(c);
    }
    putSeptet(0);
}

void SeptetWriter::finish()
{
    if (pendingBits_ > 0)
        out_.push_back(static_cast<std::uint8_t>(pending_ & 0xFF));
    pending_ = 0;
    pendingBits_ = 0;
}

} // namespace pw
