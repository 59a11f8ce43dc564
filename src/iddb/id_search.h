// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Finding the records whose match text contains one of a list of terms, ignoring the case of ASCII
// letters: the engine under the searcher's queries and the exporter's criteria.
//
// Terms are looked for in the store's arena blocks as a whole rather than record by record. A term
// is anchored on the pair of neighbouring bytes that is rarest in the arena; eight positions at a
// time are tested for that pair, and only where it occurs is the term compared and its record
// found. Terms that begin with a blank (search lines, export criteria) can only match where a word
// begins, so several of them are looked for together in one pass over the blanks. A hit that would
// run over the end of its record's match text is no hit. The result is the same as testing
// ContainsNoCase on every record's match text, in record order, at a small part of the cost.

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
