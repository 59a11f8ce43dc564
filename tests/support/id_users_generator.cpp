// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/id_users_generator.h"

#include <random>
#include <string_view>

namespace pw::test {
namespace {

constexpr std::string_view FirstNames[] = {
    "John", "Mary", "David", "Susan", "Michael", "Linda", "Robert", "Karen", "James", "Patricia", "William",
    "Barbara", "Richard", "Elizabeth", "Thomas", "Jennifer", "Hans", "Ursula", "Pierre", "Marie", "Giuseppe",
    "Anna", "Jose", "Carmen", "Kenji", "Yuki", "Lars", "Ingrid", "Wayne", "Dave", "Mo", "Ellen"};
constexpr std::string_view LastNames[] = {
    "Smith", "Johnson", "Williams", "Brown", "Jones", "Miller", "Davis", "Garcia", "Rodriguez", "Wilson",
    "Martinez", "Anderson", "Taylor", "Thomas", "Moore", "Jackson", "Martin", "Lee", "Mueller", "Schmidt",
    "Dubois", "Rossi", "Fernandez", "Tanaka", "Larsen", "Morris", "Elmore", "O'Brien", "Nguyen", "Kowalski"};
struct Place {
    std::string_view city;
    std::string_view state;
    std::string_view country;
    std::string_view prefix;
};
constexpr Place Places[] = {
    {"Kansas City", "Missouri", "United States", "K0"},   {"Des Moines", "Iowa", "United States", "W0"},
    {"Springfield", "Illinois", "United States", "N9"},   {"Austin", "Texas", "United States", "KF5"},
    {"Portland", "Oregon", "United States", "KG7"},       {"Toronto", "Ontario", "Canada", "VE3"},
    {"Vancouver", "British Columbia", "Canada", "VA7"},   {"Leeds", "England", "United Kingdom", "G4"},
    {"Muenchen", "Bayern", "Germany", "DL1"},             {"Hamburg", "Hamburg", "Germany", "DO2"},
    {"Lyon", "Auvergne-Rhone-Alpes", "France", "F4"},     {"Milano", "Lombardia", "Italy", "IZ2"},
    {"Madrid", "Madrid", "Spain", "EA4"},                 {"Sydney", "New South Wales", "Australia", "VK2"},
    {"Osaka", "Osaka", "Japan", "JA3"},                   {"Oslo", "Oslo", "Norway", "LA9"},
    {"Elmore", "Ohio", "United States", "KD8"},           {"Morris", "Minnesota", "United States", "KC0"},
};
constexpr std::string_view Remarks[] = {"", "", "", "", "", "", "DMR", "Club station", "Repeater", "Hotspot"};

constexpr std::string_view Utf8FirstNames[] = {"J\xC3\xBCrgen", "\xC5\x81ukasz", "Ren\xC3\xA9", "S\xC3\xB8ren"};

} // namespace

std::string generateUserListCsv(std::size_t rows, std::uint32_t seed, std::uint32_t firstId)
{
    std::mt19937 random(seed);
    std::string body = "RADIO_ID,CALLSIGN,FIRST_NAME,LAST_NAME,CITY,STATE,COUNTRY\n";
    body.reserve(rows * 64);
    std::uint32_t id = firstId;
    for (std::size_t row = 0; row < rows; ++row) {
        id += static_cast<std::uint32_t>(1 + random() % 3);
        const auto& place = Places[random() % std::size(Places)];
        body += std::to_string(id);
        body += ',';
        body += place.prefix;
        for (int i = 0; i < 3; ++i)
            body += static_cast<char>('A' + random() % 26);
        body += ',';
        body += random() % 16 == 0 ? Utf8FirstNames[random() % std::size(Utf8FirstNames)]
                                   : FirstNames[random() % std::size(FirstNames)];
        body += ',';
        body += LastNames[random() % std::size(LastNames)];
        body += ',';
        body += place.city;
        body += ',';
        body += place.state;
        body += ',';
        body += place.country;
        body += '\n';
    }
    return body;
}

std::string generateUsersCsv(std::size_t rows, std::uint32_t seed, std::uint32_t firstId)
{
    std::mt19937 random(seed);
    std::string body;
    body.reserve(rows * 68);
    std::uint32_t id = firstId;
    for (std::size_t row = 0; row < rows; ++row) {
        id += static_cast<std::uint32_t>(1 + random() % 3);
        const auto& place = Places[random() % std::size(Places)];
        std::string callsign(place.prefix);
        for (int i = 0; i < 3; ++i)
            callsign += static_cast<char>('A' + random() % 26);
        body += '"';
        body += std::to_string(id);
        body += "\",\"";
        body += callsign;
        body += "\",\"";
        body += FirstNames[random() % std::size(FirstNames)];
        body += ' ';
        body += LastNames[random() % std::size(LastNames)];
        body += "\",\"";
        body += place.city;
        body += "\",\"";
        body += place.state;
        body += "\",\"";
        body += place.country;
        body += "\",\"";
        body += Remarks[random() % std::size(Remarks)];
        body += "\"\n";
    }
    return body;
}

} // namespace pw::test
