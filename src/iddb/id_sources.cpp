// SPDX-License-Identifier: GPL-3.0-or-later
#include "iddb/id_sources.h"

#include "platform/http_download.h"
#include "model/setting_lines.h"
#include "model/text_trim.h"
#include "platform/file_io.h"
#include "platform/settings_file.h"
#include "platform/settings_store.h"

#include <cctype>
#include <charconv>

namespace pw {
namespace {

// What the program wrote into the file before the sources spoke HTTPS. The first host serves its
// list over HTTPS only now, and the second is gone, so a file that still names them gets today's
// defaults.
constexpr std::string_view FormerFirstDefault = "radioid.net";
constexpr std::string_view FormerSecondDefault = "ham-digital.org";

bool isHostCharacter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' || c == '-'
        || c == '_';
}

// "host", "host:port", "[v6]" or "[v6]:port", with a port of 1 to 65535.
bool isHostAndPort(std::string_view text)
{
    std::string_view host = text;
    std::string_view port;
    if (!text.empty() && text.front() == '[') {
        const auto close = text.find(']');
        if (close == std::string_view::npos || close == 1)
            return false;
        for (const char c : text.substr(1, close - 1))
            if (!(std::isxdigit(static_cast<unsigned char>(c)) || c == ':' || c == '.'))
                return false;
        const auto rest = text.substr(close + 1);
        if (!rest.empty() && rest.front() != ':')
            return false;
        host = text.substr(0, close + 1);
        port = rest.empty() ? rest : rest.substr(1);
        if (!rest.empty() && port.empty())
            return false;
    } else {
        const auto colon = text.find(':');
        if (colon != std::string_view::npos) {
            host = text.substr(0, colon);
            port = text.substr(colon + 1);
            if (port.empty())
                return false;
        }
        if (host.empty())
            return false;
        for (const char c : host)
            if (!isHostCharacter(c))
                return false;
    }
    if (!port.empty()) {
        unsigned value = 0;
        const auto [end, error] = std::from_chars(port.data(), port.data() + port.size(), value);
        if (error != std::errc() || end != port.data() + port.size() || value < 1 || value > 65535)
            return false;
    }
    return true;
}

bool isValidSource(std::string_view value)
{
    return sourceAddress(value, 1).kind != SourceAddress::Kind::Invalid;
}

} // namespace

SourceAddress sourceAddress(std::string_view text, int sourceNumber)
{
    text = trimmedLine(text);
    if (text.empty() || text == SkippedSource)
        return {SourceAddress::Kind::Skipped, {}};
    if (HttpDownload::isSupportedUrl(text))
        return {SourceAddress::Kind::Url, std::string(text)};
    if (isHostAndPort(text))
        return {SourceAddress::Kind::Url,
                "http://" + std::string(text) + (sourceNumber == 2 ? SecondSourceLegacyPath : FirstSourceLegacyPath)};
    return {SourceAddress::Kind::Invalid, std::string(text)};
}

SourceSettings parseSourceSettings(std::string_view text, std::string_view fileName)
{
    SourceSettings settings;
    readListSourceLines(text, fileName, settings,
                        {{"source1", &settings.firstSource}, {"source2", &settings.secondSource}}, &isValidSource,
                        "a URL, HOST[:PORT] or none");
    // An empty source is skipped, and a former default gives way to today's.
    const auto settle = [](std::string& source, std::string_view formerDefault, const char* today) {
        if (source.empty())
            source = SkippedSource;
        else if (source == formerDefault)
            source = today;
    };
    settle(settings.firstSource, FormerFirstDefault, DefaultFirstSource);
    settle(settings.secondSource, FormerSecondDefault, DefaultSecondSource);
    return settings;
}

SourceSettings readSourceSettings(const std::filesystem::path& path)
{
    return readSettingsFile(path, &parseSourceSettings);
}

bool writeSourceSettings(const std::filesystem::path& path, const SourceSettings& sources)
{
    std::string text =
        "# Where the DMR ID user list comes from. Each source is a URL (https:// or http://), or\n"
        "# HOST[:PORT] for plain HTTP with the path of the quoted layout, or none to skip it.\n"
        "# The list is kept in the cache and fetched again when it is older than cache_max_age_hours.\n";
    text += "source1 = " + sources.firstSource + "\n";
    text += "source2 = " + sources.secondSource + "\n";
    text += "cache_max_age_hours = " + std::to_string(sources.cacheMaxAge.count()) + "\n";
    std::error_code error;
    std::filesystem::create_directories(path.parent_path(), error);
    return static_cast<bool>(writeFileAtomically(path, writing(text)));
}

std::filesystem::path userSourcesPath() { return configDirectory() / sourcesFileName; }

} // namespace pw
