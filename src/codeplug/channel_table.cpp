// SPDX-License-Identifier: GPL-3.0-or-later
// The codeplug's operations on its channel table. Zones and scan lists refer to channels by member
// number, so every delete and sort here has the format repair those references.

#include "codeplug/codeplug.h"

#include "model/index_remap.h"
#include "model/list_support.h"

namespace pw {
namespace {

int compareNumbers(double a, double b) { return a < b ? -1 : a > b ? 1 : 0; }

// Texts compare as unsigned bytes: std::string::compare uses char_traits<char>, which does.
int compareTexts(const std::string& a, const std::string& b)
{
    const int result = a.compare(b);
    return result < 0 ? -1 : result > 0 ? 1 : 0;
}

// A channel without a tone sorts as the lowest inverted DCS code would.
std::string toneSortText(ToneCode code) { return code.isNone() ? "D000I" : code.text(); }

// Columns of the channel list: "No.", "Channel Name", "Rx Freq", "Mode", " BW", "Tx Freq", "Admit",
// "PWR", "Slot", "Color", "T-Enc/Contact", "R-Dec/Grp".
int compareChannels(const Channel& a, const Channel& b, int column, std::string_view radioModel)
{
    switch (column) {
    case 2: return compareNumbers(a.rxFrequency(), b.rxFrequency());
    case 3: return compareNumbers(a.isDigital() ? 0 : 1, b.isDigital() ? 0 : 1);
    case 4:
        return compareNumbers(a.bandwidth() == Bandwidth::Wide25k ? 1 : 0, b.bandwidth() == Bandwidth::Wide25k ? 1 : 0);
    case 5: return compareNumbers(a.txFrequency(), b.txFrequency());
    case 6: return compareTexts(a.admitText(), b.admitText());
    case 7: return compareTexts(a.powerText(radioModel), b.powerText(radioModel));
    case 8: return compareNumbers(a.timeSlot(), b.timeSlot());
    case 9: return compareNumbers(a.colorCode(), b.colorCode());
    case 10: {
        auto key = [](const Channel& c) { return c.isDigital() ? c.contactNameCache() : toneSortText(c.ctcssEncode()); };
        return compareTexts(key(a), key(b));
    }
    case 11: {
        auto key = [](const Channel& c) {
            return c.isDigital() ? std::to_string(c.rxGroupList()) : toneSortText(c.ctcssDecode());
        };
        return compareTexts(key(a), key(b));
    }
    default: return compareTexts(a.name(), b.name());
    }
}

} // namespace

AddResult Codeplug::addChannel(const Channel& channel)
{
    if (!loaded() || &channel.format() != codec_->recordFormats().channel)
        return AddResult::NotLoadedRefused;
    if (channels_.count() >= codec_->capacities().channels)
        return AddResult::TableFullRefused;
    if (findChannelByName(channel.name()) >= 0)
        return AddResult::DuplicateRefused;

    auto added = std::make_unique<Channel>(channel);
    if (!codec_->placeNewChannel(*this, *added))
        return AddResult::TableFullRefused;
    channels_.append(std::move(added));
    // Marked changed, but encoded only when the edit that adds it ends: imports add thousands.
    markChanged();
    return AddResult::Added;
}

void Codeplug::deleteChannel(int index)
{
    if (!loaded() || index < 0 || index >= channels_.count() || channels_.count() <= codec_->minimumChannels())
        return;
    EditScope edit(*this);
    codec_->channelLeaving(*this, index);
    channels_.deleteAt(index);
    codec_->channelLeft(*this, index);
    edit.changed();
}

void Codeplug::sortChannels(int column, SortOrder order)
{
    const int n = channels_.count();
    if (!loaded() || n < 2)
        return;
    EditScope edit(*this);
    const std::string radioModel = radioModelName();
    const int sign = order == SortOrder::Descending ? -1 : 1;
    const auto oldPositions = channels_.sortBy([column, sign, &radioModel](const Channel& a, const Channel& b) {
        return sign * compareChannels(a, b, column, radioModel);
    });
    // A sort that moved nothing changed nothing.
    if (keepsEveryPosition(oldPositions))
        return;
    IndexRemap remap(n);
    for (int j = 1; j <= n; ++j)
        remap.remap(j, oldPositions[static_cast<std::size_t>(j - 1)] + 1);
    remap.finalize();
    codec_->channelsSorted(*this, remap);
    edit.changed();
}

int Codeplug::findChannelByName(std::string_view name) const
{
    return list_support::findNamed(channels_, loaded() ? codec_->recordFormats().channel->lookupName(name) : std::string(name));
}

} // namespace pw
