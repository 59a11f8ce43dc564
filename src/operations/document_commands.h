// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The open, save, save-as and close flows of the main window, with their questions and messages,
// kept apart from any window so that they run the same under the desktop program and in tests.

#include "codeplug/codeplug.h"
#include "platform/prompts.h"

#include <functional>
#include <string>

namespace pw {

// The working codeplug and the path shown as "Working Codeplug File".
struct WorkingDocument {
    Codeplug codeplug;
    std::string path;  // empty until a file is opened
    // Whether the next save first keeps the file it replaces as NAME.bak beside it (set after an
    // open by a front end that offers backups; a successful save clears it).
    bool keepBackup = false;
};

// The name the backup of `path` is kept under: the file's whole name with ".bak" added.
std::string backupPathOf(const std::string& path);

enum class OpenOutcome {
    Cancelled,      // a question or the file chooser was cancelled
    OpenFailed,     // the file fits no format: the working codeplug stays as it was
    DecodeFailed,   // recognised, but the decoder found no valid data: the same
    Opened,         // decoded cleanly
    OpenedWithErrors,  // decoded; the error log counts problems
};

inline constexpr const char* OpenFilter =
    "RDT/RDB/DCF Files (*.rdt, *.rdb, *.dcf)|*.rdt;*.rdb;*.dcf|Radio Images (*.img, *.bin)|*.img;*.bin|"
    "All Files (*.*)|*.*||";

// Asks to save a changed codeplug first, lets the user choose a file (or takes `path` when it is
// given) and opens and decodes it, showing the failure and error-count messages. The new file
// replaces the working codeplug only once it decoded. `show`, when given, is called with the
// outcome just before its message, so that a window shows the new state (the Errors tab) under
// the message box instead of the old one.
using ShowOpenOutcome = std::function<void(OpenOutcome)>;
OpenOutcome openCodeplugCommand(WorkingDocument& document, Prompts& prompts, const std::string& path = {},
                                const ShowOpenOutcome& show = {});

enum class SaveOutcome { Saved, Declined, Failed };

// Saves to the working path; nothing loaded is a failed save.
SaveOutcome saveCodeplugCommand(WorkingDocument& document, Prompts& prompts);

// How a save treats the file opened when another program changed it since: the window asks before
// overwriting it, the command line refuses.
enum class ChangedFileRule { Ask, Refuse };
// Saves the codeplug to `path`, asking before it writes over a read-only file, and over a file
// changed on disk since it was opened when `rule` says so. Failed leaves the reason in the codeplug.
SaveOutcome saveWithQuestions(Codeplug& codeplug, const std::string& path, Prompts& prompts, ChangedFileRule rule);
// "Unable to save file." followed by the path and the reason of the codeplug's last failed save.
std::string saveFailedText(const Codeplug& codeplug, const std::string& path);

// Chooses a new path (asking before overwriting), makes it the working path and saves. A TYT
// codeplug is saved as a radio image under a name ending in ".img" or ".bin" and as a vendor file
// under one ending in ".rdt" (an image asks which model's); `formChanged`, when given, tells
// whether the working codeplug became the other form, which an undo cannot take back.
SaveOutcome saveCodeplugAsCommand(WorkingDocument& document, Prompts& prompts, bool* formChanged = nullptr);

// Whether the window may close: asks to save a changed codeplug. `writeSettings` runs first,
// whatever the answer.
bool closeCommand(WorkingDocument& document, Prompts& prompts, const std::function<void()>& writeSettings);

// "Total of %d contacts and %d channels in Codeplug", or "No Codeplug yet loaded.".
std::string statusText(const Codeplug& codeplug);

// "Sorry, the feature you tried to\r\naccess, %s, is not\r\nyet supported for this codeplug type."
std::string featureNotSupportedText(const std::string& feature);
// True when the format offers the channel operations (adding, deleting, sorting, importing and
// mass-changing channels); otherwise shows the not-supported message naming `feature`.
bool channelOperationsOffered(const Codeplug& codeplug, Prompts& prompts, const std::string& feature);

} // namespace pw
