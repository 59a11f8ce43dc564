// SPDX-License-Identifier: GPL-3.0-or-later
// Must not compile: the model sees no header of the codeplug layer above it.
#include "codeplug/codeplug.h"
