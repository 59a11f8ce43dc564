// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Text on the terminal and on the command line is UTF-8, as are the model's texts. Texts that may
// hold other bytes (a path in another encoding inside a message) are shown as Latin-1 so that the
// terminal never receives malformed UTF-8; arguments that are not valid UTF-8 are taken as
// Windows-1252, as files read are.

#include <string>
#include <string_view>

namespace pw::cli {

std::string terminalText(std::string_view text);
std::string argumentText(std::string_view text);

// Text for one line of the terminal (a `key: value` line, a search row): terminalText with every
// control character shown escaped ("\n", "\x1b", "\u009b"), so that a name or a path from a file
// can neither drive the terminal nor break the line in two.
std::string lineText(std::string_view text);
// The same for text of several lines: its line ends (LF, and CR LF) are kept as they are.
std::string linesText(std::string_view text);

} // namespace pw::cli
