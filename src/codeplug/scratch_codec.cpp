// SPDX-License-Identifier: GPL-3.0-or-later
#include "codeplug/scratch_codec.h"

#include "codeplug/codeplug.h"

namespace pw {

std::uint32_t ScratchCodec::featureFlags() const
{
    return feature::ContactsTab | feature::ChannelsTab | feature::ChannelOperations | feature::ZonesTab |
           feature::ScanListsTab | feature::RxGroupsTab | feature::StructuralImportTab;
}

bool ScratchCodec::writeFile(Codeplug& /*codeplug*/, ByteSink& /*sink*/, std::string& why)
{
    why = "a codeplug made in memory has no file to write";
    return false;
}

FormatId Codeplug::startInMemory(FormatId formatId)
{
    lastFormat_ = this->formatId();
    codec_.reset();
    filePath_.clear();
    fileFingerprint_.reset();
    clearLists();
    errorLog_.clear();
    changed_ = false;
    if (!probeOf(formatId))
        return NoFormat;
    codec_ = std::make_unique<ScratchCodec>(formatId);
    return formatId;
}

} // namespace pw
