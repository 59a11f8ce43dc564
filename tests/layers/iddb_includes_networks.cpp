// SPDX-License-Identifier: GPL-3.0-or-later
// Must not compile: the user list and the networks' lists do not see each other.
#include "networks/talkgroup_catalogue.h"
