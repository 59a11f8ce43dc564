// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Which contacts the other tables refer to: those a file may have to keep as talkgroups, and those
// a clean-up may not take away.

#include <vector>

namespace pw {

class Codeplug;

// For each contact by 0-based index: whether a digital channel transmits to it or an RX group list
// holds it.
std::vector<bool> referencedContacts(const Codeplug& codeplug);

} // namespace pw
