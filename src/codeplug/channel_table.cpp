// The codeplug's operations on its channel table (interim: the channel record is not decoded yet).
#include "codeplug/codeplug.h"

namespace pw {

int Codeplug::addChannel(const Channel& channel)
{
    if (!loaded_ || channel.formatId() != formatId_)
        return NotLoadedRefused;
    if (channels_.count() >= channelCapacity(formatId_))
        return TableFullRefused;
    channels_.append(std::make_unique<Channel>(channel));
    markChanged();
    return Added;
}

void Codeplug::deleteChannel(int index)
{
    if (!loaded_ || index < 0 || index >= channels_.count())
        return;
    channels_.deleteAt(index);
    encode();
    markChanged();
}

void Codeplug::sortChannels(int) {}

int Codeplug::findChannelByName(std::string_view) const { return -1; }

std::vector<std::uint16_t> Codeplug::slotOrderTable() const { return {}; }

} // namespace pw
