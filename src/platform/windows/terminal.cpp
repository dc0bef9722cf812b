#include "platform/terminal.h"

#include <io.h>
#include <stdio.h>

namespace routix::platform {

bool StandardErrorIsTerminal() { return _isatty(_fileno(stderr)) != 0; }

}  // namespace routix::platform
