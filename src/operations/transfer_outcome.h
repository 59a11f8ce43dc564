// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a transfer command (CSV export and import, merge, channel import, sort) reports back to the
// window, the command-line front end and the tests, beside the messages it has shown.

#include <system_error>

namespace pw {

struct TransferOutcome {
    enum class Status {
        Done,       // the command ran to its closing message
        Cancelled,  // the user declined a file chooser or a question
        Refused,    // nothing loaded, nothing to do, or the feature is not offered for the format
        Failed,     // a file could not be read or written
    };
    Status status = Status::Cancelled;
    int added = 0;               // contacts or channels added (contacts: plus those updated)
    int duplicates = 0;          // channels skipped as duplicates
    int supportingContacts = 0;  // contacts added for imported channels
    bool tableFull = false;      // an import stopped at a full table
    std::error_code fileProblem; // why a file could not be written, where the system told

    bool done() const { return status == Status::Done; }
};

} // namespace pw
