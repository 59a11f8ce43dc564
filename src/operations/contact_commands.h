// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The three contact transfer commands of the Contacts tab and the Data menu, with their file
// choosers, wait cursor and messages. The caller refreshes its lists afterwards. The imports and
// the sort tell `progress`, when given, how far they have come.

#include "codeplug/codeplug.h"
#include "operations/transfer_outcome.h"

namespace pw {

class Codeplug;
class Prompts;
class WorkProgress;

// "Import More Contacts from Another Codeplug..." / "Import Contacts from Codeplug...".
TransferOutcome mergeContactsCommand(Codeplug& working, Prompts& prompts, WorkProgress* progress = nullptr);
// "Import More Contacts from a CSV File..." / "Import Contacts from CSV...".
TransferOutcome importContactsCsvCommand(Codeplug& working, Prompts& prompts, WorkProgress* progress = nullptr);
// "Export All Contacts to a CSV File..." / "Export Contacts to CSV...".
TransferOutcome exportContactsCsvCommand(const Codeplug& working, Prompts& prompts);

// A click on a heading of a contact list: the contacts tab sorts on every heading but "No." and
// "Contact Type" ("Alert Tone" sorts by name); the RX group tab's master list on every heading but
// "No.".
enum class ContactListKind { ContactsTab, RxGroupMaster };
// True when the table was sorted (and so written back and marked changed).
bool sortContactsCommand(Codeplug& working, int column, ContactListKind list = ContactListKind::ContactsTab,
                         WorkProgress* progress = nullptr, SortOrder order = SortOrder::Ascending);

} // namespace pw
