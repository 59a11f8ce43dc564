// SPDX-License-Identifier: GPL-3.0-or-later
// Must not compile: the command flows see no header of the window state above them.
#include "presenter/choice_lists.h"
