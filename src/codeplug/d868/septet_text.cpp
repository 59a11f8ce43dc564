#include "codeplug/d868/septet_text.h"

namespace pw {

SeptetReader::SeptetReader(ConstBytes bytes, std::size_t offset)
    : bytes_(bytes), bitPosition_(offset * 8), bitLimit_(bytes.size() * 8)
{
}

std::optional<std::size_t> SeptetReader::readText(std::size_t accepted, Bytes field)
{
    std::size_t read = 0;
    std::size_t stored = 0;
    std::uint8_t c = 0;
    for (;;) {
        if (!next(c))
            return std::nullopt;
        if (c == 0)
            return stored;
        if (stored < field.size())
            setU8(field, stored++, c);
        if (++read == accepted) {
            // The septet after the longest accepted text ends it, whatever it holds.
            if (!next(c))
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

void SeptetWriter::putText(std::string_view text, std::size_t limit)
{
    for (std::size_t i = 0; i < text.size() && i < limit && text[i] != '\0'; ++i)
        put(static_cast<unsigned char>(text[i]));
    putSeptet(0);
}

} // namespace pw
