#pragma once
// Finding the records whose match text contains one of a list of terms, ignoring the case of ASCII
// letters: the engine under the searcher's queries and the exporter's criteria.
//
// Terms are looked for in the store's arena blocks as a whole rather than record by record: for
// each term the byte of it that is rarest in the arena is located with memchr (both letter cases),
// and only there is the term compared and its record found. A hit that would run over the end of
// its record's match text is no hit. The result is the same as testing ContainsNoCase on every
// record's match text, in record order, at a small part of the cost.

#include "iddb/id_record.h"

#include <string>
#include <vector>

namespace pw {

// Indexes of the records whose match text contains at least one of the terms, in record order.
// No terms: no records. An empty term matches every record.
std::vector<int> FindRecords(const IdRecordStore& records, const std::vector<std::string>& terms);

// The number of records FindRecords would give.
int CountRecords(const IdRecordStore& records, const std::vector<std::string>& terms);

} // namespace pw
