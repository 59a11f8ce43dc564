// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Why a file did not open as a codeplug, in words the user can act on. The window and the command
// line both show these reasons after their message, so that a file fails the same way in both.

#include <filesystem>
#include <string>
#include <vector>

namespace pw {

class Codeplug;

inline constexpr const char* OpenFailedMessage = "Failed to load Codeplug; the specified file is invalid.";
inline constexpr const char* NoValidDataMessage = "There is no valid data (contacts, channels) defined in this file image.";

struct OpenFailure {
    // The system could not read the file: `reason` is its reason ("No such file or directory").
    bool unreadable = false;
    std::string reason;
};

// Why `path`, which `codeplug`'s open did not recognise, is no codeplug: the system's reason when
// it could not be read (Codeplug::readProblem, which the command line prints too), "the file is
// empty", or "not a codeplug file of any known format".
OpenFailure whyNotOpened(const Codeplug& codeplug, const std::filesystem::path& path);

// Why a recognised file did not decode: what the decoder had to say ("the file is truncated
// (100000 of 852534 bytes)"), else the last line of its error log, else that it holds nothing.
// `messages` are the decoder's messages, taken from the codeplug.
std::string whyNotDecoded(const std::vector<std::string>& messages, const Codeplug& codeplug);

// The window's message for a failed open or decode: its headline, then the file and the reason.
std::string openFailureText(const char* headline, const std::string& path, const std::string& reason);

} // namespace pw
