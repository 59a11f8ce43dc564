// SPDX-License-Identifier: GPL-3.0-or-later
#include "networks/network_sources.h"

#include "model/setting_lines.h"
#include "platform/settings_file.h"
#include "platform/user_directories.h"

namespace pw {
namespace {

void appendQuery(std::string& url, std::string_view name, std::string_view value)
{
    constexpr char Hex[] = "0123456789ABCDEF";
    url += url.find('?') == std::string::npos ? '?' : '&';
    url.append(name);
    url += '=';
    for (const char c : value) {
        const auto byte = static_cast<unsigned char>(c);
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '.'
            || c == '_' || c == '~') {
            url += c;
        } else {
            url += '%';
            url += Hex[byte >> 4];
            url += Hex[byte & 0xF];
        }
    }
}

} // namespace

bool isListUrl(std::string_view text)
{
    return (text.rfind("https://", 0) == 0 || text.rfind("http://", 0) == 0)
        && text.find_first_of(" \t\r\n") == std::string_view::npos;
}

NetworkSources parseNetworkSources(std::string_view text, std::string_view fileName)
{
    NetworkSources sources;
    readListSourceLines(text, fileName, sources,
                        {{"talkgroups", &sources.talkgroups}, {"repeaters", &sources.repeaters}}, &isListUrl,
                        "an http:// or https:// URL");
    return sources;
}

NetworkSources readNetworkSources(const std::filesystem::path& path)
{
    return readSettingsFile(path, &parseNetworkSources);
}

std::filesystem::path userNetworkSourcesPath() { return configDirectory() / NetworkSourcesFileName; }

std::string repeaterPageUrl(std::string_view base, std::string_view country, std::string_view state, int page)
{
    std::string url(base);
    if (!country.empty())
        appendQuery(url, "country", country);
    if (!state.empty())
        appendQuery(url, "state", state);
    if (page > 1)
        appendQuery(url, "page", std::to_string(page));
    return url;
}

} // namespace pw
