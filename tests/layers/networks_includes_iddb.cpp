// SPDX-License-Identifier: GPL-3.0-or-later
// Must not compile: the networks' lists and the user list do not see each other.
#include "iddb/id_database.h"
