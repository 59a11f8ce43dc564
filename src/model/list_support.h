#pragma once
// Small text helpers shared by the zone, scan-list and RX-group-list records.

#include "model/letter_case.h"

namespace pw::list_support {

// Channel names are matched the way the vendor software matches them: letter case ignored.
using pw::equalsIgnoringCase;

} // namespace pw::list_support
