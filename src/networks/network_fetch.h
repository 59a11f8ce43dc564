// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One body of a network's list, downloaded whole into memory within the source's limits.

#include "networks/list_source.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace pw {

using FetchProgress = std::function<void(std::uint64_t received, std::optional<std::uint64_t> total)>;

// True when the body arrived whole; otherwise `failure` says why.
bool fetchListBody(const std::string& url, const ListSource& source, std::string& body, std::string& failure,
                   const FetchProgress& progress);

} // namespace pw
