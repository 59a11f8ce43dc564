// Reference upkeep after contacts are deleted or sorted: channels' transmit contacts and RX group
// list members are 1-based contact positions.

#include "codeplug/codeplug.h"

#include "model/index_remap.h"

namespace pw {

void Codeplug::repairReferencesAfterContactDelete(int position)
{
    for (const auto& channel : channels_) {
        if (!channel->isDigital())
            continue;
        const int contact = channel->txContact();
        if (contact == position)
            channel->setTxContact(0);
        else if (contact > position)
            channel->setTxContact(contact - 1);
    }
    for (const auto& list : rxGroupLists_)
        list->forgetContact(position);
}

void Codeplug::repairReferencesAfterContactSort(const IndexRemap& remap)
{
    for (const auto& channel : channels_) {
        if (!channel->isDigital())
            continue;
        const int contact = channel->txContact();
        if (contact > 0)
            channel->setTxContact(remap.lookup(contact));
    }
    for (const auto& list : rxGroupLists_)
        list->remapMembers(remap);
}

} // namespace pw
