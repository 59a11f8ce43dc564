// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Whether a standard stream of the process is a terminal, for output that only a person watching
// should see (a progress line).

namespace pw {

bool standardErrorIsTerminal();

} // namespace pw
