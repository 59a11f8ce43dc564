// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A moment as the cached lists' messages give it: "2026-12-08 09:45 UTC".

#include <chrono>
#include <string>

namespace pw {

std::string utcMinuteText(std::chrono::system_clock::time_point time);

} // namespace pw
