// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// "Fit to Radio" into the working codeplug (`iddb fit` and the searcher's "Add to Codeplug"): the
// selected users become private-call contacts, named by the name template, in the contact table's
// free rows.
//
// Users whose DMR ID the codeplug already has are skipped and take no room. Without a limit, the
// free rows are the limit: the selection is cut where they are full, and what qualified beyond
// that was not selected. With a limit, the selection is cut there, and selected users the free
// rows cannot take are left out for lack of room. `replace` first deletes every private-call
// contact that nothing uses (no channel transmits to it, no RX group list holds it, and, in the
// D868 family, it is not in the talkgroup table, which other parts of the file refer to by
// number); group calls, all calls and used contacts always stay.

#include "iddb/id_selection.h"

#include <string>
#include <vector>

namespace pw {

class Codeplug;
class Prompts;

inline constexpr const char* DefaultFitNameTemplate = "%C %F";

struct FitRequest {
    IdSelectionCriteria criteria;
    std::string nameTemplate = DefaultFitNameTemplate;
    bool replace = false;
};

// What a fit would do, without doing it: the window's live count uses it.
struct FitPlan {
    IdSelection selection;
    // Users to add, in order.
    std::vector<int> toAdd;
    int alreadyPresent = 0;
    int leftOut = 0;
    // 0-based indexes of the contacts that `replace` deletes.
    std::vector<int> removable;
    // Free rows once they are deleted.
    int room = 0;

    int selected() const { return alreadyPresent + static_cast<int>(toAdd.size()) + leftOut; }
};

FitPlan planFit(const Codeplug& codeplug, const IdUserIndex& users, const FitRequest& request);

// The private-call contacts that nothing uses (see above), as 0-based indexes.
std::vector<int> unusedPrivateContacts(const Codeplug& codeplug);

struct FitResult {
    bool ran = false;
    int added = 0;
    int alreadyPresent = 0;
    int removed = 0;
    int leftOut = 0;
    // "added: N", "already present: N", "removed: N", "left out for lack of room: N", then the
    // selection's count line and notes, CR LF apart.
    std::string message;
};

// Adds the selection to the codeplug and shows the counts. `codeplug` may be null (nothing
// happens); one that is not loaded is refused with the searcher's message.
FitResult fitToCodeplug(Codeplug* codeplug, const IdUserIndex& users, const FitRequest& request, Prompts& prompts);

} // namespace pw
