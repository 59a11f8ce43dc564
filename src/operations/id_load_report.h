// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one message box that tells the user what became of each place the DMR ID user list was read
// from: rows read, or why none were.

namespace pw {

class IdDatabase;
class Prompts;

// Shows the outcome lines of the database's latest load in one box: information when every place
// gave records, a warning when one failed or the settings had a line that could not be read.
// Nothing when there are no lines.
void showLoadReport(const IdDatabase& database, Prompts& prompts);

} // namespace pw
