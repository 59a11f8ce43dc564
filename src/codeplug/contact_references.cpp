// SPDX-License-Identifier: GPL-3.0-or-later
#include "codeplug/contact_references.h"

#include "codeplug/codeplug.h"

namespace pw {

std::vector<bool> referencedContacts(const Codeplug& codeplug)
{
    const int count = codeplug.contacts().count();
    std::vector<bool> referenced(static_cast<std::size_t>(count), false);
    const auto refer = [&referenced, count](int position) {
        if (position >= 1 && position <= count)
            referenced[static_cast<std::size_t>(position) - 1] = true;
    };
    for (const auto& channel : codeplug.channels())
        if (channel->isDigital())
            refer(channel->txContact());
    for (const auto& list : codeplug.rxGroupLists())
        for (int i = 0; i < list->memberCount(); ++i)
            refer(list->member(i));
    return referenced;
}

} // namespace pw
