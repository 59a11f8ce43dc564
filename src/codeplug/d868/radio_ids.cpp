// SPDX-License-Identifier: GPL-3.0-or-later
#include "codeplug/d868/radio_ids.h"

#include "codeplug/byte_field.h"

namespace pw {
namespace {
constexpr std::size_t DmrIdOffset = 4;
constexpr std::size_t NameOffset = 10;
constexpr std::size_t NameSize = 27;
constexpr std::size_t NameCharacters = 16;
} // namespace

std::string d868RadioName(const D868Data& data)
{
    return getLatin1Text(data.radioIds, NameOffset, NameCharacters);
}

void setD868RadioName(D868Data& data, std::string_view name)
{
    if (data.radioIds.size() < D868RadioIdRecordSize)
        return;
    // Up to 16 characters are copied, stopping after the terminating zero; the rest of the
    // field stays as it was.
    const auto stored = storableLatin1Text(name, NameCharacters);
    if (stored == getCString(data.radioIds, NameOffset, NameCharacters))
        return;
    name = stored;
    std::size_t i = 0;
    for (; i < NameCharacters && i < name.size() && name[i] != '\0'; ++i)
        data.radioIds[NameOffset + i] = static_cast<std::uint8_t>(name[i]);
    if (i < NameSize)
        data.radioIds[NameOffset + i] = 0;
}

std::uint32_t d868RadioDmrId(const D868Data& data)
{
    return getU32Le(data.radioIds, DmrIdOffset);
}

void setD868RadioDmrId(D868Data& data, std::uint32_t id)
{
    setU32Le(data.radioIds, DmrIdOffset, id & 0xFFFFFF);
}

} // namespace pw
