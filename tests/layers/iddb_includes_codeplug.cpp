// SPDX-License-Identifier: GPL-3.0-or-later
// Must not compile: the DMR ID database knows no codeplug.
#include "codeplug/codeplug.h"
