#include "platform/terminal.h"

#include <unistd.h>

namespace pw {

bool standardErrorIsTerminal() { return ::isatty(STDERR_FILENO) == 1; }

} // namespace pw
