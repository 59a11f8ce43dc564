// Interim D868 codec: the file is kept whole and written back with its radio-ID records, the only
// part of it that can be edited until the sections are decoded.
#include "codeplug/codecs.h"
#include "codeplug/codeplug.h"
#include "codeplug/d868_radio_ids.h"
#include "platform/file_io.h"

namespace pw {

int decodeD868(Codeplug& codeplug)
{
    codeplug.contacts().deleteAll();
    codeplug.channels().deleteAll();
    codeplug.zones().deleteAll();
    codeplug.scanLists().deleteAll();
    codeplug.rxGroupLists().deleteAll();
    codeplug.emergencySystems().deleteAll();
    codeplug.errorLog().clear();
    auto& data = codeplug.d868Data();
    auto content = readFileBytes(data.fileName, 64u << 20);
    if (!content)
        return 0;
    const auto channels = static_cast<std::size_t>(data.count(0));
    const auto radioIds = static_cast<std::size_t>(std::max(0, data.count(1)));
    data.radioIdsOffset = D868Data::HeaderSize + D868Data::CountTableSize + 214 * channels;
    if (data.radioIdsOffset + D868RadioIdRecordSize * radioIds > content->bytes.size())
        return 0;
    data.radioIds.assign(content->bytes.begin() + static_cast<std::ptrdiff_t>(data.radioIdsOffset),
                         content->bytes.begin() + static_cast<std::ptrdiff_t>(data.radioIdsOffset + D868RadioIdRecordSize * radioIds));
    data.fileBytes = std::move(content->bytes);
    return 1;
}

bool buildD868File(Codeplug& codeplug, std::vector<std::uint8_t>& file)
{
    const auto& data = codeplug.d868Data();
    if (data.fileBytes.empty() || data.radioIdsOffset + data.radioIds.size() > data.fileBytes.size())
        return false;
    file = data.fileBytes;
    std::copy(data.radioIds.begin(), data.radioIds.end(), file.begin() + static_cast<std::ptrdiff_t>(data.radioIdsOffset));
    return true;
}

} // namespace pw
