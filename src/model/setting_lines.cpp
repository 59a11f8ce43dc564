// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/setting_lines.h"

#include "model/text_trim.h"

#include <algorithm>
#include <charconv>

namespace pw {

std::vector<std::string> readSettingLines(std::string_view text, std::string_view fileName, const SettingTaker& take)
{
    constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";
    std::vector<std::string> problems;
    if (text.substr(0, ByteOrderMark.size()) == ByteOrderMark)
        text.remove_prefix(ByteOrderMark.size());
    std::size_t pos = 0;
    for (int number = 1; pos < text.size(); ++number) {
        auto end = text.find('\n', pos);
        if (end == std::string_view::npos)
            end = text.size();
        const auto line = trimmedLine(text.substr(pos, end - pos));
        pos = end + 1;
        if (line.empty() || line.front() == '#')
            continue;
        const auto equals = line.find('=');
        std::optional<std::string> problem;
        if (equals != std::string_view::npos)
            problem = take(trimmedLine(line.substr(0, equals)), trimmedLine(line.substr(equals + 1)));
        // Quoted only as far as a line can be shown: the rest of a long line says nothing more.
        if (!problem)
            problem = "cannot read \"" + std::string(line.substr(0, 80)) + "\"";
        if (!problem->empty())
            problems.push_back(std::string(fileName) + ", line " + std::to_string(number) + ": " + *problem);
    }
    return problems;
}

void readListSourceLines(std::string_view text, std::string_view fileName, ListSourceSettings& settings,
                         std::initializer_list<SourceKey> keys, bool (*valid)(std::string_view value),
                         std::string_view validText)
{
    settings.problems = readSettingLines(text, fileName, [&](std::string_view key, std::string_view value)
                                                             -> std::optional<std::string> {
        if (key == "cache_max_age_hours") {
            const auto hours = settingHours(value);
            if (!hours)
                return notHoursProblem(value);
            settings.cacheMaxAge = *hours;
            return std::string();
        }
        const auto source = std::find_if(keys.begin(), keys.end(), [key](const SourceKey& known) {
            return known.key == key;
        });
        if (source == keys.end())
            return std::nullopt;
        if (!valid(value))
            return "\"" + std::string(value.substr(0, 80)) + "\" is not " + std::string(validText);
        *source->setting = std::string(value);
        return std::string();
    });
}

std::optional<std::chrono::hours> settingHours(std::string_view value)
{
    unsigned hours = 0;
    const auto [at, error] = std::from_chars(value.data(), value.data() + value.size(), hours);
    if (value.empty() || error != std::errc() || at != value.data() + value.size() || hours > 24 * 365)
        return std::nullopt;
    return std::chrono::hours(hours);
}

std::string notHoursProblem(std::string_view value)
{
    return "\"" + std::string(value.substr(0, 40)) + "\" is not a number of hours";
}

} // namespace pw
