#pragma once
// Small text helpers shared by the zone, scan-list and RX-group-list records.

#include <algorithm>
#include <cctype>
#include <string_view>

namespace pw::list_support {

// Channel names are matched the way the vendor software matches them: letter case ignored.
inline bool equalsIgnoringCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

} // namespace pw::list_support
