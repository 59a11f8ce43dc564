// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/network_lists_generator.h"

#include "model/letter_case.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cstdio>
#include <random>
#include <set>
#include <string_view>

namespace pw::test {
namespace {

struct Country {
    std::uint32_t code;
    std::string_view name;
};
constexpr Country Countries[] = {
    {202, "\xCE\x95\xCE\xBB\xCE\xBB\xCE\xAC\xCE\xB4\xCE\xB1"}, {204, "Netherlands"}, {206, "Belgium"},
    {208, "France"}, {214, "Spain"}, {222, "Italy"}, {228, "Switzerland"}, {232, "\xC3\x96sterreich"},
    {235, "United Kingdom"}, {238, "Denmark"}, {240, "Sweden"}, {242, "Norway"}, {244, "Finland"},
    {250, "\xD0\xA0\xD0\xBE\xD1\x81\xD1\x81\xD0\xB8\xD1\x8F"}, {260, "Polska"}, {262, "Germany"},
    {268, "Portugal"}, {302, "Canada"}, {334, "Mexico"}, {440, "Japan"}, {505, "Australia"},
    {530, "New Zealand"}, {655, "South Africa"}, {724, "Brasil"}};
constexpr std::string_view States[] = {
    "Alabama", "Alaska", "Arizona", "Arkansas", "California", "Colorado", "Connecticut", "Delaware", "Florida",
    "Georgia", "Hawaii", "Idaho", "Illinois", "Indiana", "Iowa", "Kansas", "Kentucky", "Louisiana", "Maine",
    "Maryland", "Massachusetts", "Michigan", "Minnesota", "Mississippi", "Missouri", "Montana", "Nebraska",
    "Nevada", "New Hampshire", "New Jersey", "New Mexico", "New York", "North Carolina", "North Dakota", "Ohio",
    "Oklahoma", "Oregon", "Pennsylvania", "Rhode Island", "South Carolina", "South Dakota", "Tennessee", "Texas",
    "Utah", "Vermont", "Virginia", "Washington", "West Virginia", "Wisconsin", "Wyoming"};
constexpr std::string_view Themes[] = {"Regional", "TAC", "Emcomm", "Chat", "Youth", "Club", "Link", "Test"};

struct Area {
    std::string_view country;
    std::string_view state;
    std::string_view cities[3];
    std::string_view prefix;
};
constexpr Area Areas[] = {
    {"Germany", "Bayern", {"M\xC3\xBCnchen", "N\xC3\xBCrnberg", "Augsburg"}, "DB0"},
    {"Germany", "Nordrhein-Westfalen", {"K\xC3\xB6ln", "Dortmund", "Essen"}, "DM0"},
    {"United States", "Kansas", {"Wichita", "Topeka", "Kansas City"}, "W0"},
    {"United States", "Missouri", {"Kansas City", "St. Louis", "Springfield"}, "K0"},
    {"Poland", "\xC5\x81\xC3\xB3" "dzkie", {"\xC5\x81\xC3\xB3" "d\xC5\xBA", "Piotrk\xC3\xB3w", "Sieradz"}, "SR7"},
};
constexpr std::string_view Networks[] = {"BrandMeister", "DMR-MARC", "TGIF", "DMR+"};

std::string frequencyText(double mhz)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.5f", mhz);
    return text;
}

std::string offsetText(double mhz)
{
    char text[32];
    std::snprintf(text, sizeof text, "%+.3f", mhz);
    return text;
}

} // namespace

std::vector<Talkgroup> generateTalkgroups(std::size_t count, std::uint32_t seed)
{
    std::mt19937 random(seed);
    std::vector<Talkgroup> talkgroups = {{1, "Local"},          {2, "Cluster"},      {8, "Regional"},
                                         {9, "Local 9"},        {91, "Worldwide"},   {92, "Europe"},
                                         {93, "North America"}, {94, "Asia"},        {95, "Australia"},
                                         {98, "Test \"Echo\""}, {113, "UA English"}, {123, "UA English 2"}};
    for (const auto& country : Countries)
        talkgroups.push_back({country.code, std::string(country.name)});
    for (std::size_t state = 0; state < std::size(States); ++state)
        if (state % 9 != 4)
            talkgroups.push_back({static_cast<std::uint32_t>(3101 + state), std::string(States[state])});
    talkgroups.push_back({2621, "Bayern, S\xC3\xBC" "d"});
    std::set<std::uint32_t> used;
    for (const auto& talkgroup : talkgroups)
        used.insert(talkgroup.id);
    while (talkgroups.size() < count) {
        const auto& country = Countries[random() % std::size(Countries)];
        const auto suffix = static_cast<std::uint32_t>(random() % 1000);
        const std::uint32_t id = suffix < 10 ? country.code * 10 + suffix : country.code * 1000 + suffix;
        if (!used.insert(id).second)
            continue;
        talkgroups.push_back({id, std::string(country.name) + " " + std::string(Themes[random() % std::size(Themes)]) +
                                      " " + std::to_string(suffix)});
    }
    talkgroups.resize(count);
    std::sort(talkgroups.begin(), talkgroups.end(), [](const Talkgroup& a, const Talkgroup& b) { return a.id < b.id; });
    return talkgroups;
}

std::string talkgroupJson(const std::vector<Talkgroup>& talkgroups)
{
    nlohmann::ordered_json object = nlohmann::ordered_json::object();
    for (const auto& talkgroup : talkgroups)
        object[std::to_string(talkgroup.id)] = talkgroup.name;
    return object.dump();
}

std::string talkgroupCsv(const std::vector<Talkgroup>& talkgroups)
{
    std::string csv = "Talkgroup,Name\r\n";
    for (const auto& talkgroup : talkgroups) {
        csv += std::to_string(talkgroup.id) + ",";
        if (talkgroup.name.find_first_of(",\"") == std::string::npos) {
            csv += talkgroup.name;
        } else {
            csv += '"';
            for (const char c : talkgroup.name)
                csv += c == '"' ? std::string("\"\"") : std::string(1, c);
            csv += '"';
        }
        csv += "\r\n";
    }
    return csv;
}

std::vector<Repeater> generateRepeaters(std::size_t count, std::uint32_t seed)
{
    std::mt19937 random(seed);
    std::vector<Repeater> repeaters;
    for (std::size_t i = 0; i < count; ++i) {
        const auto& area = Areas[i % std::size(Areas)];
        Repeater repeater;
        char suffix[4] = {static_cast<char>('A' + i / 26 % 26), static_cast<char>('A' + i % 26),
                          static_cast<char>('A' + random() % 26), 0};
        repeater.callsign = std::string(area.prefix) + suffix;
        repeater.city = std::string(area.cities[random() % 3]);
        repeater.state = std::string(area.state);
        repeater.country = std::string(area.country);
        repeater.network = std::string(Networks[random() % std::size(Networks)]);
        repeater.status = random() % 8 == 0 ? "off-air" : "on-air";
        const auto band = random() % 20;
        if (band < 14) {
            repeater.outputMhz = 438.0 + 0.0125 * static_cast<double>(random() % 160);
            repeater.offsetMhz = -7.6;
        } else if (band < 18) {
            repeater.outputMhz = 145.6 + 0.0125 * static_cast<double>(random() % 30);
            repeater.offsetMhz = -0.6;
        } else if (band == 18) {
            repeater.outputMhz = 29.68;
            repeater.offsetMhz = -0.1;
        } else {
            repeater.outputMhz = 1298.5;
            repeater.offsetMhz = -28.0;
        }
        repeater.colorCode = static_cast<int>(random() % 16);
        if (random() % 3 == 0) {
            repeater.talkgroups.push_back({9, 2, "Local"});
            repeater.talkgroups.push_back({91, 1, "Worldwide"});
            repeater.talkgroups.push_back({area.country == "Germany" ? 262u : area.country == "Poland" ? 260u : 3100u + static_cast<std::uint32_t>(random() % 50 + 1),
                                           1, "Country"});
        }
        repeaters.push_back(std::move(repeater));
    }
    return repeaters;
}

std::string repeaterPageJson(const std::vector<Repeater>& repeaters, int page, int pages, std::size_t count)
{
    nlohmann::ordered_json results = nlohmann::ordered_json::array();
    int index = 0;
    for (const auto& repeater : repeaters) {
        ++index;
        nlohmann::ordered_json result;
        const bool newer = !repeater.talkgroups.empty();
        if (newer)
            result["locator"] = 262000 + index;
        else
            result["id"] = std::to_string(310000 + index);
        result["callsign"] = repeater.callsign;
        result["city"] = repeater.city;
        result["state"] = repeater.state;
        result["country"] = repeater.country;
        if (index % 2 == 0)
            result["frequency"] = std::stod(frequencyText(*repeater.outputMhz));
        else
            result["frequency"] = frequencyText(*repeater.outputMhz);
        result["offset"] = offsetText(*repeater.offsetMhz);
        if (index % 3 == 0)
            result["color_code"] = std::to_string(*repeater.colorCode);
        else
            result["color_code"] = *repeater.colorCode;
        result["ipsc_network"] = repeater.network;
        result["status"] = repeater.status;
        if (newer) {
            result["details"] = {{"power", 25}, {"antenna", {"X-50", 12}}};
            auto& talkgroups = result["talkgroups"] = nlohmann::ordered_json::array();
            for (const auto& talkgroup : repeater.talkgroups)
                talkgroups.push_back({{"talkgroup", talkgroup.id}, {"timeslot", talkgroup.timeSlot},
                                      {"description", talkgroup.description}});
        } else {
            result["assigned"] = "Peer";
            result["ts_linked"] = "TS1 TS2";
            result["trustee"] = "N0CALL";
        }
        results.push_back(std::move(result));
    }
    nlohmann::ordered_json object;
    object["count"] = count;
    object["page"] = page;
    object["pages"] = pages;
    object["results"] = std::move(results);
    return object.dump();
}

std::string queryValue(const std::string& request, const std::string& name)
{
    const auto lineEnd = request.find(' ', request.find(' ') + 1);
    const auto question = request.find('?');
    if (question == std::string::npos || question > lineEnd)
        return {};
    const std::string query = request.substr(question + 1, lineEnd - question - 1);
    std::size_t pos = 0;
    while (pos <= query.size()) {
        auto end = query.find('&', pos);
        if (end == std::string::npos)
            end = query.size();
        const auto pair = query.substr(pos, end - pos);
        if (pair.rfind(name + "=", 0) == 0) {
            std::string value;
            const auto encoded = pair.substr(name.size() + 1);
            for (std::size_t i = 0; i < encoded.size(); ++i) {
                if (encoded[i] == '%' && i + 2 < encoded.size()) {
                    value += static_cast<char>(std::stoi(encoded.substr(i + 1, 2), nullptr, 16));
                    i += 2;
                } else {
                    value += encoded[i] == '+' ? ' ' : encoded[i];
                }
            }
            return value;
        }
        pos = end + 1;
    }
    return {};
}

LoopbackHttpServer::Handler repeaterListHandler(std::vector<Repeater> repeaters, std::size_t pageSize)
{
    return [repeaters = std::move(repeaters), pageSize](const std::string& request, ServerConnection& connection) {
        if (request.rfind("GET /api/dmr/repeater/", 0) != 0) {
            connection.send("HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\n\r\n");
            return;
        }
        const auto country = queryValue(request, "country");
        const auto state = queryValue(request, "state");
        std::vector<Repeater> area;
        for (const auto& repeater : repeaters)
            if ((country.empty() || equalsIgnoringCase(repeater.country, country))
                && (state.empty() || equalsIgnoringCase(repeater.state, state)))
                area.push_back(repeater);
        const auto pageText = queryValue(request, "page");
        const std::size_t page = pageText.empty() ? 1 : std::stoul(pageText);
        const std::size_t pages = std::max<std::size_t>(1, (area.size() + pageSize - 1) / pageSize);
        std::vector<Repeater> shown;
        for (std::size_t i = (page - 1) * pageSize; i < std::min(area.size(), page * pageSize); ++i)
            shown.push_back(area[i]);
        connection.send(sizedResponse(repeaterPageJson(shown, static_cast<int>(page), static_cast<int>(pages), area.size())));
    };
}

LoopbackHttpServer repeaterListServer(std::vector<Repeater> repeaters, std::size_t pageSize, std::optional<TlsIdentity> tls)
{
    return LoopbackHttpServer(repeaterListHandler(std::move(repeaters), pageSize), std::move(tls));
}

} // namespace pw::test
