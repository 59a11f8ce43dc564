// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The settings files users may edit by hand ("key = value" lines; blank lines and # comments;
// a byte-order mark at the start): every line that cannot be read is reported, never passed over
// in silence, as "FILE, line N: what".

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pw {

// Takes one setting. Nothing for a key it does not know; otherwise the problem with the value,
// empty when the value was taken.
using SettingTaker = std::function<std::optional<std::string>(std::string_view key, std::string_view value)>;

// The problems of the file's lines; `fileName` names the file in them.
std::vector<std::string> readSettingLines(std::string_view text, std::string_view fileName, const SettingTaker& take);

// A number of hours up to a year; nothing for any other text.
std::optional<std::chrono::hours> settingHours(std::string_view value);
// "\"VALUE\" is not a number of hours"
std::string notHoursProblem(std::string_view value);

} // namespace pw
