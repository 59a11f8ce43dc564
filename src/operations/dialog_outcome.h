// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a dialog's confirm button decides.

namespace pw {

// StayOpen: a check failed and the dialog waits for a correction; Cancelled: the dialog closes and
// the command does nothing; Accepted: the dialog closes and its work is handed on or done.
enum class CommitOutcome { StayOpen, Cancelled, Accepted };

} // namespace pw
