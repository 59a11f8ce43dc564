#include "iddb/settings_block.h"

#include "iddb/id_database.h"
#include "platform/file_io.h"

#include <algorithm>
#include <cstring>

namespace pw {
namespace {

constexpr std::string_view DefaultTemplate = "%C - %F";

std::string_view trim(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r'))
        text.remove_suffix(1);
    return text;
}

} // namespace

SettingsBlock::SettingsBlock()
{
    std::memcpy(bytes_.data() + TemplateOffset, DefaultTemplate.data(), DefaultTemplate.size());
}

SettingsBlock SettingsBlock::FromStoredValue(const std::optional<std::vector<std::uint8_t>>& value)
{
    if (!value || value->size() > Size)
        return Defaults();
    SettingsBlock block;
    block.bytes_.fill(0);
    std::copy(value->begin(), value->end(), block.bytes_.begin());
    return block;
}

std::string SettingsBlock::textAt(std::size_t offset, std::size_t field) const
{
    const auto* start = reinterpret_cast<const char*>(bytes_.data() + offset);
    return std::string(start, strnlen(start, field));
}

void SettingsBlock::setTextAt(std::size_t offset, std::size_t field, std::size_t kept, std::string_view text)
{
    text = text.substr(0, std::min(text.find('\0'), kept));
    std::fill_n(bytes_.begin() + static_cast<std::ptrdiff_t>(offset), field, std::uint8_t{0});
    std::memcpy(bytes_.data() + offset, text.data(), text.size());
}

std::string SettingsBlock::nameTemplate() const { return textAt(TemplateOffset, TemplateField); }

void SettingsBlock::setNameTemplate(std::string_view text)
{
    setTextAt(TemplateOffset, TemplateField, TemplateKept, text);
}

std::string SettingsBlock::additionalSearchText() const { return textAt(SearchTextOffset, SearchTextField); }

void SettingsBlock::setAdditionalSearchText(std::string_view text)
{
    setTextAt(SearchTextOffset, SearchTextField, SearchTextKept, text);
}

FileSettingsStore userSettingsStore() { return FileSettingsStore(configDirectory() / settingsFileName); }

SettingsBlock ReadSettings(SettingsStore& store) { return SettingsBlock::FromStoredValue(store.read()); }

void WriteSettings(SettingsStore& store, const SettingsBlock& block) { store.write(block.bytes()); }

SourceSettings readSourceSettings(const std::filesystem::path& path)
{
    SourceSettings sources{DefaultFirstSourceHost, DefaultSecondSourceHost};
    const auto content = readFileBytes(path, 64 * 1024);
    if (!content)
        return sources;
    const std::string_view text(reinterpret_cast<const char*>(content->bytes.data()), content->bytes.size());
    std::size_t pos = 0;
    while (pos < text.size()) {
        auto end = text.find('\n', pos);
        if (end == std::string_view::npos)
            end = text.size();
        const auto line = trim(text.substr(pos, end - pos));
        pos = end + 1;
        if (line.empty() || line.front() == '#')
            continue;
        const auto equals = line.find('=');
        if (equals == std::string_view::npos)
            continue;
        const auto key = trim(line.substr(0, equals));
        const auto value = std::string(trim(line.substr(equals + 1)));
        if (key == "source1")
            sources.firstSource = value.empty() ? std::string(SkippedSource) : value;
        else if (key == "source2")
            sources.secondSource = value.empty() ? std::string(SkippedSource) : value;
    }
    return sources;
}

bool writeSourceSettings(const std::filesystem::path& path, const SourceSettings& sources)
{
    std::string text = "# Hosts of the two DMR ID database sources: a host name or IPv4 address, optionally\n"
                       "# followed by :port (80 when none is given). \"none\" skips a source.\n";
    text += "source1 = " + sources.firstSource + "\n";
    text += "source2 = " + sources.secondSource + "\n";
    std::error_code error;
    std::filesystem::create_directories(path.parent_path(), error);
    return writeTextFileAtomically(path, text);
}

std::filesystem::path userSourcesPath() { return configDirectory() / sourcesFileName; }

} // namespace pw
