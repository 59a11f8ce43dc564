// SPDX-License-Identifier: GPL-3.0-or-later
// The user list reader of the ID database: the input is a whole list as a source or a file sends
// it, in either layout. Whatever it holds, every record must keep its fields within their limits
// as valid UTF-8, with no control characters in the remarks, and reading the list in small pieces
// must give exactly what reading it whole gives. The records then go into a store and out as
// every radio's CSV: dmrconfig's lines must keep to seven fields in 255 bytes.
// The first input byte picks a first line to put before the rest, so that rows of both layouts are
// reached often: 0 none, 1 today's header, 2 a header in another order with unknown columns.

#include "iddb/id_export.h"
#include "iddb/user_list_reader.h"
#include "model/unicode_text.h"

#include <cstdint>
#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct Row {
    pw::IdRecordFields fields;
    bool complete;
};

std::vector<Row> readAll(std::string_view list, std::size_t piece)
{
    std::vector<Row> rows;
    pw::UserListReader reader(
        [&](const pw::IdRecordFields& fields, bool complete) {
            rows.push_back({fields, complete});
            return rows.size() < 5000;
        },
        4096);
    for (std::size_t at = 0; at < list.size(); at += piece)
        if (!reader.feed(list.substr(at, piece)))
            break;
    reader.finish();
    if (reader.rows() != static_cast<int>(rows.size()) - (reader.stopped() ? 1 : 0))
        std::abort();
    if (reader.stopped())
        rows.pop_back();
    return rows;
}

bool same(const pw::IdRecordFields& a, const pw::IdRecordFields& b)
{
    return a.radioId == b.radioId && a.callsign == b.callsign && a.name == b.name && a.city == b.city
        && a.state == b.state && a.country == b.country && a.remarks == b.remarks;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    std::string list;
    switch (data[0] % 3) {
    case 1: list = "RADIO_ID,CALLSIGN,FIRST_NAME,LAST_NAME,CITY,STATE,COUNTRY\n"; break;
    case 2: list = "country,x,Last_Name,radio_id,REMARKS,first_name,CALLSIGN,name\r\n"; break;
    default: break;
    }
    list.append(reinterpret_cast<const char*>(data) + 1, size - 1);
    const std::size_t piece = 1 + data[0] / 3 % 17;

    const auto whole = readAll(list, list.size() + 1);
    const auto pieces = readAll(list, piece);
    if (whole.size() != pieces.size())
        std::abort();
    for (std::size_t i = 0; i < whole.size(); ++i) {
        if (whole[i].complete != pieces[i].complete || !same(whole[i].fields, pieces[i].fields))
            std::abort();
        const auto& f = whole[i].fields;
        if (!whole[i].complete)
            continue;
        const std::pair<const std::string*, std::size_t> limited[] = {
            {&f.radioId, pw::RadioIdLimit}, {&f.callsign, pw::CallsignLimit}, {&f.name, pw::NameLimit},
            {&f.city, pw::CityLimit},       {&f.state, pw::StateLimit},       {&f.country, pw::CountryLimit},
            {&f.remarks, pw::RemarksLimit}};
        for (const auto& [text, limit] : limited)
            if (text->size() > limit || !pw::isValidUtf8(*text))
                std::abort();
        for (const char c : f.remarks)
            if (static_cast<unsigned char>(c) < 0x20 || c == '\x7F')
                std::abort();
    }

    pw::IdRecordStore store;
    for (const auto& row : whole)
        if (row.complete)
            store.append(row.fields);
    const pw::IdUserIndex users(store);
    for (const auto& type : pw::radioCsvTypes())
        pw::exportSelection(users, {}, type.type, {pw::ExportCharset::Windows1252, data[0] % 2 == 0});
    const auto dmrconfig = pw::exportSelection(users, {}, pw::RadioCsvType::Dmrconfig).text;
    std::size_t lines = 0;
    for (std::size_t at = 0, end; at < dmrconfig.size(); at = end + 1, ++lines) {
        end = dmrconfig.find('\n', at);
        if (end == std::string::npos)
            std::abort();
        const std::string_view line(dmrconfig.data() + at, end - at);
        if (line.size() >= 255 || std::count(line.begin(), line.end(), ',') != 6)
            std::abort();
    }
    if (lines != static_cast<std::size_t>(users.userCount()) + 1)
        std::abort();
    return 0;
}
