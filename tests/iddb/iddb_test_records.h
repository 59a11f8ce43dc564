// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Builders of in-memory ID databases for the search, contact and export tests.

#include "iddb/id_database.h"

#include <string>
#include <vector>

namespace pw::test {

inline IdRecordFields idRecord(std::string radioId, std::string callsign, std::string name, std::string city,
                               std::string state, std::string country, std::string remarks = "")
{
    return {std::move(radioId), std::move(callsign), std::move(name), std::move(city),
            std::move(state),   std::move(country),  std::move(remarks)};
}

inline IdRecordStore storeOf(const std::vector<IdRecordFields>& records)
{
    IdRecordStore store;
    for (const auto& record : records)
        store.append(record);
    return store;
}

// A database whose download is done and holds these records.
inline void loadDatabase(IdDatabase& database, const std::vector<IdRecordFields>& records)
{
    database.LoadRecords(storeOf(records), "loaded");
}

inline std::vector<IdRecordFields> sampleRecords()
{
    return {
        idRecord("3112345", "K0ABC", "John Q Public", "Kansas City", "Missouri", "United States", "DMR"),
        idRecord("3112346", "W0MO", "Mo Smith", "Morris", "MO", "United States"),
        idRecord("3112347", "N0ELM", "Ellen Smithers", "Elmore", "Ohio", "United States"),
        idRecord("3119999", "KC0DES", "Des Moines Man", "Des Moines", "Iowa", "United States", "Club station"),
        idRecord("2345001", "G4XYZ", "Ann Other", "Leeds", "", "United Kingdom"),
    };
}

} // namespace pw::test
