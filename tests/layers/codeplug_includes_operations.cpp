// SPDX-License-Identifier: GPL-3.0-or-later
// Must not compile: a codec sees no header of the command flows above it.
#include "operations/clipboard_transfer.h"
