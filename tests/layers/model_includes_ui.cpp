// Must not compile: the model sees no header of the window.
#include "ui/main_window.h"
