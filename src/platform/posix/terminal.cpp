#include "platform/terminal.h"

#include <unistd.h>

namespace routix::platform {

bool StandardErrorIsTerminal() { return isatty(STDERR_FILENO) == 1; }

}  // namespace routix::platform
