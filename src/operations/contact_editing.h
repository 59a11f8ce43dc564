// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the contact editor's confirm button does to the codeplug, apart from any window: the
// duplicate-ID rule, its question or message, and the one edit that keeps the result.

#include "model/contact.h"

namespace pw {

class Codeplug;
class Prompts;

inline constexpr const char* DuplicateIdOnAdd = "The DMR-MARC ID you specified is already in use. Add this contact anyway?";
inline constexpr const char* DuplicateIdOnEdit = "Edit discarded. Duplicate DMR-MARC ID numbers are not allowed.";

// Adds the contact the editor made: a DMR ID already present asks whether to add it all the same.
// True when it was added.
bool addEditedContact(Codeplug& codeplug, const Contact& contact, Prompts& prompts);

// Puts the edited contact in place of the one at `row`. A changed DMR ID that another contact
// already has is refused with a message. True when the contact was replaced; channels then show
// its new name.
bool replaceEditedContact(Codeplug& codeplug, int row, const Contact& edited, Prompts& prompts);

} // namespace pw
