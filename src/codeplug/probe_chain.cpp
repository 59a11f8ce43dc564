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

// The order matters: a D868 file is told by its header, the MD-2017 family by the model text
// that an MD-380 file would also pass under, and the RDB versions by their layout text.
constexpr std::array<FormatProbe, 7> Chain = {{
    {D868Format, d868::isD868File, d868::takeD868File},
    {Md9600Format, tyt::isMd9600File, tyt::takeMd9600File},
    {Md2017Format, tyt::isMd2017File, tyt::takeMd2017File},
    {Md380Format, tyt::isMd380File, tyt::takeMd380File},
    {RdbV1Format, rdb::isV1File, rdb::takeV1File},
    {RdbV11Format, rdb::isV11File, rdb::takeV11File},
    {RdbV2Format, rdb::isV2File, rdb::takeV2File},
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

const RecordFormats& recordFormatsOf(FormatId formatId)
{
    switch (familyOf(formatId)) {
    case FormatFamily::RdbFamily: return rdb::recordFormats(formatId);
    case FormatFamily::D868Family: return d868::recordFormats();
    default: return tyt::recordFormats(formatId);
    }
}

int contactCapacity(FormatId formatId)
{
    switch (formatId) {
    case Md380Format: return 1000;
    case Md2017Format: case Md9600Format: return 10000;
    case RdbV1Format: case RdbV11Format: return 65535;
    case RdbV2Format: return 130000;
    case D868Format: return 160000;
    default: return 0;
    }
}

int channelCapacity(FormatId formatId)
{
    switch (formatId) {
    case Md380Format: return 999;
    case Md2017Format: case Md9600Format: return 2999;
    case RdbV1Format: return 1999;
    case RdbV11Format: case RdbV2Format: case D868Format: return 3999;
    default: return 0;
    }
}

int scanListCapacity(FormatId formatId)
{
    if (familyOf(formatId) != FormatFamily::RdbFamily)
        return MaxScanLists;
    return std::min(MaxScanLists, RdbLayout::forFormat(formatId).scanListRecordLimit());
}

} // namespace pw
