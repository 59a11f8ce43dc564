// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The radio's own identity in a D868 codeplug: the first of its radio-ID records.

#include "codeplug/d868/d868_data.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace pw {

inline constexpr std::size_t D868RadioIdRecordSize = 37;

std::string d868RadioName(const D868Data& data);
void setD868RadioName(D868Data& data, std::string_view name);
std::uint32_t d868RadioDmrId(const D868Data& data);
void setD868RadioDmrId(D868Data& data, std::uint32_t id);

} // namespace pw
