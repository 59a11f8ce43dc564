// SPDX-License-Identifier: GPL-3.0-or-later
// Must not compile: the model sees no header of the window.
#include "ui/main_window.h"
