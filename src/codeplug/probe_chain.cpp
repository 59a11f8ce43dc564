// SPDX-License-Identifier: GPL-3.0-or-later
#include "codeplug/probe_chain.h"

#include "codeplug/codeplug.h"
#include "codeplug/d868/d868_codec.h"
#include "codeplug/d868/d868_records.h"
#include "codeplug/rdb/rdb_codec.h"
#include "codeplug/rdb/rdb_records.h"
#include "codeplug/tyt/tyt_codec.h"
#include "codeplug/tyt/tyt_records.h"

#include <array>

namespace pw {
namespace {

// Table sizes: contacts, channels, zones, scan lists, RX group lists.
constexpr TableCapacities Md380Tables{1000, 999, MaxZones, MaxScanLists, MaxRxGroupLists};
constexpr TableCapacities Md2017Tables{10000, 2999, MaxZones, MaxScanLists, MaxRxGroupLists};
// The RDB scan-list count word follows the 234th record directly.
constexpr TableCapacities RdbV1Tables{65535, 1999, MaxZones, 234, MaxRxGroupLists};
constexpr TableCapacities RdbV11Tables{65535, 3999, MaxZones, 234, MaxRxGroupLists};
constexpr TableCapacities RdbV2Tables{130000, 3999, MaxZones, 234, MaxRxGroupLists};
constexpr TableCapacities D868Tables{160000, 3999, MaxZones, MaxScanLists, MaxRxGroupLists};

template <FormatId Id>
const RecordFormats& tytFormats() { return tyt::recordFormats(Id); }
template <FormatId Id>
const RecordFormats& rdbFormats() { return rdb::recordFormats(Id); }

// The order matters: a D868 file is told by its header, the MD-2017 family by the model text
// that an MD-380 file would also pass under, a file of the MD-UV380's size with another model text
// by its size, and the RDB versions by their layout text. Radio images have no signature and are
// told by their size alone, after every format that has one.
constexpr std::array<FormatProbe, 10> Chain = {{
    {D868Format, d868::isD868File, d868::takeD868File, d868::recordFormats, D868Tables},
    {Md9600Format, tyt::isMd9600File, tyt::takeMd9600File, tytFormats<Md9600Format>, Md2017Tables},
    {Md2017Format, tyt::isMd2017File, tyt::takeMd2017File, tytFormats<Md2017Format>, Md2017Tables},
    {Md9600Format, tyt::isUvLayoutFile, tyt::takeMd9600File, tytFormats<Md9600Format>, Md2017Tables},
    {Md380Format, tyt::isMd380File, tyt::takeMd380File, tytFormats<Md380Format>, Md380Tables},
    {RdbV1Format, rdb::isV1File, rdb::takeFile<RdbV1Format>, rdbFormats<RdbV1Format>, RdbV1Tables},
    {RdbV11Format, rdb::isV11File, rdb::takeFile<RdbV11Format>, rdbFormats<RdbV11Format>, RdbV11Tables},
    {RdbV2Format, rdb::isV2File, rdb::takeFile<RdbV2Format>, rdbFormats<RdbV2Format>, RdbV2Tables},
    {Md380Format, tyt::isMd380Image, tyt::takeMd380Image, tytFormats<Md380Format>, Md380Tables},
    {Md9600Format, tyt::isUvImage, tyt::takeUvImage, tytFormats<Md9600Format>, Md2017Tables},
}};

} // namespace

std::span<const FormatProbe> probeChain() { return Chain; }

std::unique_ptr<FormatCodec> recognise(FileContent file)
{
    for (const auto& probe : probeChain())
        if (probe.matches(file))
            return probe.take(std::move(file));
    return nullptr;
}

const FormatProbe* probeOf(FormatId formatId)
{
    for (const auto& probe : Chain)
        if (probe.formatId == formatId)
            return &probe;
    return nullptr;
}

const RecordFormats& recordFormatsOf(FormatId formatId)
{
    const auto* probe = probeOf(formatId);
    return probe ? probe->recordFormats() : Chain.front().recordFormats();
}

std::string changeableVendorName(int entry) { return tyt::vendorEntryName(entry); }

TableCapacities FormatCodec::capacities() const { return probeOf(formatId())->capacities; }
const RecordFormats& FormatCodec::recordFormats() const { return probeOf(formatId())->recordFormats(); }

int contactCapacity(FormatId formatId)
{
    const auto* probe = probeOf(formatId);
    return probe ? probe->capacities.contacts : 0;
}

int channelCapacity(FormatId formatId)
{
    const auto* probe = probeOf(formatId);
    return probe ? probe->capacities.channels : 0;
}

int scanListCapacity(FormatId formatId)
{
    const auto* probe = probeOf(formatId);
    return probe ? probe->capacities.scanLists : MaxScanLists;
}

} // namespace pw
