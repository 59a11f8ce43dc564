// SPDX-License-Identifier: GPL-3.0-or-later
#include "codeplug/d868/d868_data.h"

#include "codeplug/byte_field.h"

namespace pw {

std::int32_t D868Data::count(int index) const
{
    if (index < 0 || index >= 100)
        return 0;
    return static_cast<std::int32_t>(getU32Le(countTable, 4 * static_cast<std::size_t>(index)));
}

void D868Data::setCount(int index, std::int32_t value)
{
    if (index < 0 || index >= 100)
        return;
    setU32Le(countTable, 4 * static_cast<std::size_t>(index), static_cast<std::uint32_t>(value));
}

void D868Data::clearKeptSections()
{
    radioIds.clear();
    decoded = false;
    specialChannels.clear();
    section7.clear();
    sections10To12.clear();
    section13.clear();
    section15.clear();
    trailingBytes.clear();
}

} // namespace pw
