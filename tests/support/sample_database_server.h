// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The user database both database sources serve in the window's and the command line's tests: two
// users from each source, one of them (3112345) in both, so that a download merges to 3 records
// with "RADIO ID (2 rows contributed)" and "HAM DIGITAL (2 rows contributed)".

#include "support/loopback_http_server.h"

namespace pw::test {

// Serves the first source's users_quoted.csv plain and the second's chunked; any other path is
// not found.
LoopbackHttpServer sampleDatabaseServer();

} // namespace pw::test
