// SPDX-License-Identifier: GPL-3.0-or-later
// Must not compile: the networks' lists know no codeplug.
#include "codeplug/codeplug.h"
