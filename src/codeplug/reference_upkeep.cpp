// Reference upkeep after contacts are deleted or sorted: channels' transmit contacts and RX group
// list members are 1-based contact positions.

#include "codeplug/codeplug.h"

#include "model/index_remap.h"

namespace pw {

void Codeplug::repairReferencesAfterContactDelete(int /*position*/)
{
    // Channels and RX group lists arrive with their records.
}

void Codeplug::repairReferencesAfterContactSort(const IndexRemap& /*remap*/)
{
    // Channels and RX group lists arrive with their records.
}

bool Codeplug::isContactUsed(int /*index*/) const
{
    return false;
}

void Codeplug::refreshContactNames() {}

} // namespace pw
