#include "codeplug/codeplug.h"

#include "codeplug/codecs.h"
#include "model/byte_field.h"
#include "model/letter_case.h"
#include "platform/file_io.h"
#include "platform/prompts.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace pw {
namespace {

constexpr std::array<std::uint8_t, 16> DfuSePrefix = {0x44, 0x66, 0x75, 0x53, 0x65, 0x01, 0x25, 0x01,
                                                      0x04, 0x00, 0x01, 0x54, 0x61, 0x72, 0x67, 0x65};

// Buffers are 1000 bytes larger than the most their readers read.
constexpr std::size_t BufferMargin = 1000;
// The 852534-byte readers refuse files more than 100 bytes longer than they read.
constexpr std::size_t Md2017FileSlack = 100;
// A 0x1001 file may be longer than its image; the rest is kept and written back. Beyond this the
// file is not a codeplug of ours.
constexpr std::uintmax_t LongestTytFile = 64u << 20;

constexpr std::uint32_t Md380Features = 0x1BF;
constexpr std::uint32_t OtherFeatures = 0x13F;

bool hasDfuSePrefix(const std::vector<std::uint8_t>& bytes)
{
    return bytes.size() >= DfuSePrefix.size() && std::equal(DfuSePrefix.begin(), DfuSePrefix.end(), bytes.begin());
}

} // namespace

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

// The recognition chain: each reader tests sizes, signature and model text; the first that passes
// decides the format.
class CodeplugReader {
public:
    CodeplugReader(Codeplug& codeplug, const std::filesystem::path& path) : cp_(codeplug), path_(path) {}

    FormatId recognise()
    {
        if (readD868())
            return D868Format;
        if (readMd2017Family("MD9600"))
            return Md9600Format;
        if (readMd2017Family("MD-UV380") || readMd2017Family("MD-UV390"))
            return Md9600Format;
        if (readMd2017Family("2017"))
            return Md2017Format;
        if (readMd380())
            return Md380Format;
        if (readRdb(RdbV1Format, "D4.0.03"))
            return RdbV1Format;
        if (readRdb(RdbV11Format, "D4.1.01"))
            return RdbV11Format;
        if (readRdb(RdbV2Format, "D4.3.01"))
            return RdbV2Format;
        return NoFormat;
    }

private:
    bool readD868()
    {
        cp_.loaded_ = false;
        cp_.d868_.fileName.clear();
        constexpr std::size_t wanted = D868Data::HeaderSize + D868Data::CountTableSize;
        auto content = readFileBytes(path_, wanted);
        if (!content || content->bytes.size() < wanted)
            return false;
        const auto& bytes = content->bytes;
        // The model text is the first 16 bytes up to the first zero, compared ignoring case.
        const auto model = getCString(bytes, 0, 16);
        if (!equalsIgnoringCase(model, "D868UVE ") && !equalsIgnoringCase(model, "D6X2UV  "))
            return false;
        D868Data data;
        data.header.assign(bytes.begin(), bytes.begin() + D868Data::HeaderSize);
        data.countTable.assign(bytes.begin() + D868Data::HeaderSize, bytes.end());
        const auto channels = data.count(0);
        if (channels < 1 || channels > 4000 || data.count(2) < 0 || data.count(6) > 160000 || data.count(5) > 10000)
            return false;
        data.fileName = path_.string();
        data.fileSize = content->fileSize;
        cp_.d868_ = std::move(data);
        cp_.fileLength_ = content->fileSize;
        cp_.bytesRead_ = 0;
        cp_.fileTail_.clear();
        cp_.loaded_ = true;
        return true;
    }

    bool readMd2017Family(std::string_view model)
    {
        cp_.loaded_ = false;
        cp_.tytImage_.clear();
        auto content = readFileBytes(path_, Codeplug::Md2017ImageSize + Md2017FileSlack);
        if (!content || content->fileSize > Codeplug::Md2017ImageSize + Md2017FileSlack || content->bytes.empty())
            return false;
        if (!hasDfuSePrefix(content->bytes))
            return false;
        if (getCString(content->bytes, Codeplug::DfuSeDataOffset, 32) != model)
            return false;
        takeTytImage(std::move(*content), Codeplug::Md2017ImageSize);
        return true;
    }

    bool readMd380()
    {
        cp_.loaded_ = false;
        cp_.tytImage_.clear();
        auto content = readFileBytes(path_, LongestTytFile);
        if (!content || content->bytes.size() < Codeplug::Md380ImageSize || content->fileSize > LongestTytFile)
            return false;
        if (!hasDfuSePrefix(content->bytes))
            return false;
        takeTytImage(std::move(*content), Codeplug::Md380ImageSize);
        return true;
    }

    void takeTytImage(FileContent content, std::size_t imageSize)
    {
        cp_.fileLength_ = content.bytes.size();
        cp_.bytesRead_ = std::min(content.bytes.size(), imageSize);
        cp_.fileTail_.assign(content.bytes.begin() + static_cast<std::ptrdiff_t>(cp_.bytesRead_), content.bytes.end());
        content.bytes.resize(imageSize + BufferMargin, 0);
        cp_.tytImage_ = std::move(content.bytes);
        cp_.loaded_ = true;
    }

    bool readRdb(FormatId formatId, std::string_view text)
    {
        cp_.loaded_ = false;
        const auto layout = RdbLayout::forFormat(formatId);
        auto content = readFileBytes(path_, layout.maximumRead);
        if (!content || content->bytes.size() < layout.minimumLength)
            return false;
        std::string expected(text);
        expected.push_back('\0');
        if (std::memcmp(content->bytes.data() + 0x2010, expected.data(), expected.size()) != 0)
            return false;
        cp_.rdbLayout_ = layout;
        cp_.imageLength_ = content->bytes.size();
        cp_.bytesRead_ = content->bytes.size();
        cp_.fileLength_ = content->fileSize;
        cp_.fileTail_.clear();
        content->bytes.resize(layout.bufferSize, 0);
        cp_.rdbImage_ = std::move(content->bytes);
        cp_.loaded_ = true;
        return true;
    }

    Codeplug& cp_;
    const std::filesystem::path& path_;
};

Codeplug::Codeplug() = default;
Codeplug::~Codeplug() = default;

Prompts& Codeplug::prompts() const
{
    static SilentPrompts silent;
    return prompts_ ? *prompts_ : silent;
}

FormatId Codeplug::open(const std::filesystem::path& path)
{
    CodeplugReader reader(*this, path);
    const FormatId found = reader.recognise();
    if (found == NoFormat)
        return NoFormat;
    formatId_ = found;
    featureFlags_ = found == Md380Format ? Md380Features : OtherFeatures;
    loaded_ = true;
    return found;
}

void Codeplug::clearLists()
{
    contacts_.deleteAll();
    channels_.deleteAll();
    zones_.deleteAll();
    scanLists_.deleteAll();
    rxGroupLists_.deleteAll();
    emergencySystems_.deleteAll();
}

int Codeplug::decode()
{
    if (!loaded_)
        return 0;
    int result = 0;
    switch (family()) {
    case FormatFamily::TytFamily: result = decodeTyt(*this); break;
    case FormatFamily::RdbFamily: result = decodeRdb(*this); break;
    case FormatFamily::D868Family: result = decodeD868(*this); break;
    default: return 0;
    }
    changed_ = false;
    return result;
}

void Codeplug::encode()
{
    if (!loaded_)
        return;
    switch (family()) {
    case FormatFamily::TytFamily: encodeTyt(*this); break;
    case FormatFamily::RdbFamily: encodeRdb(*this); break;
    default: break;  // the D868 family builds its file when saved
    }
}

int Codeplug::save(const std::filesystem::path& path)
{
    if (!loaded_ || !isKnownFormat(formatId_))
        return 0;
    encode();

    std::vector<std::span<const std::uint8_t>> blocks;
    std::vector<std::uint8_t> d868File;
    const auto* image = family() == FormatFamily::RdbFamily ? &rdbImage_ : &tytImage_;
    if (family() == FormatFamily::D868Family) {
        if (!buildD868File(*this, d868File))
            return 0;
        blocks.emplace_back(d868File);
    } else {
        std::size_t length;
        if (family() == FormatFamily::RdbFamily) {
            length = std::min(imageLength_, rdbImage_.size());
        } else {
            const std::size_t nominal = formatId_ == Md380Format ? Md380ImageSize : Md2017ImageSize;
            // A file shorter than its image (vendor software writes MD-UV380 files one byte short)
            // keeps its length, unless an edit wrote data past its end.
            length = std::min<std::size_t>(nominal, tytImage_.size());
            if (bytesRead_ < length) {
                std::size_t last = length;
                while (last > bytesRead_ && tytImage_[last - 1] == 0)
                    --last;
                length = last;
            }
        }
        blocks.emplace_back(image->data(), length);
        // Bytes of a TYT file beyond the part its format reads go back after the image.
        if (family() == FormatFamily::TytFamily && !fileTail_.empty())
            blocks.emplace_back(fileTail_);
    }
    if (!writeFileAtomically(path, blocks))
        return 0;
    if (family() == FormatFamily::D868Family) {
        // The saved file is now the codeplug's file: a later decode reads it, not the old one.
        d868_.fileName = path.string();
        d868_.fileSize = d868File.size();
        d868_.countTable.assign(d868File.begin() + D868Data::HeaderSize,
                                d868File.begin() + D868Data::HeaderSize + D868Data::CountTableSize);
    }
    changed_ = false;
    return 1;
}

Zone* Codeplug::zoneAt(int index) const
{
    if (index < 0 || index >= zones_.count())
        return zones_.at(0);
    return zones_.at(index);
}

namespace {

std::optional<std::size_t> positionIn(std::size_t base, std::size_t size, int index)
{
    if (index < 0)
        return std::nullopt;
    return base + size * static_cast<std::size_t>(index);
}

} // namespace

std::optional<std::size_t> Codeplug::contactRecordAt(int index) const
{
    switch (formatId_) {
    case Md380Format: return positionIn(0x61A5, 36, index);
    case Md2017Format: case Md9600Format: return positionIn(0x70235, 36, index);
    case RdbV1Format: case RdbV11Format: case RdbV2Format:
        return positionIn(rdbLayout_.contactRecords, 16, index);
    default: return std::nullopt;
    }
}

std::optional<std::size_t> Codeplug::channelRecordAt(int index) const
{
    switch (formatId_) {
    case Md380Format: return positionIn(0x1F025, 64, index);
    case Md2017Format: case Md9600Format: return positionIn(0x40235, 64, index);
    default: return std::nullopt;
    }
}

std::optional<std::size_t> Codeplug::zoneRecordAt(int index) const
{
    switch (family()) {
    case FormatFamily::TytFamily: return positionIn(0x14C05, 64, index);
    case FormatFamily::RdbFamily: return positionIn(rdbLayout_.zoneRecords, 80, index);
    default: return std::nullopt;
    }
}

std::optional<std::size_t> Codeplug::scanListRecordAt(int index) const
{
    switch (family()) {
    case FormatFamily::TytFamily: return positionIn(0x18A85, 104, index);
    case FormatFamily::RdbFamily: return positionIn(rdbLayout_.scanListRecords, 128, index);
    default: return std::nullopt;
    }
}

std::optional<std::size_t> Codeplug::rxGroupRecordAt(int index) const
{
    switch (family()) {
    case FormatFamily::TytFamily: return positionIn(0xEE45, 96, index);
    case FormatFamily::RdbFamily: return positionIn(rdbLayout_.rxGroupRecords, rdbLayout_.rxGroupRecordSize, index);
    default: return std::nullopt;
    }
}

std::optional<std::size_t> Codeplug::emergencyRecordAt(int index) const
{
    if (family() != FormatFamily::TytFamily)
        return std::nullopt;
    return positionIn(0x5CA5, 40, index);
}

} // namespace pw
