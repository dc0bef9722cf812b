#include "platform/own_console.h"

namespace routix::platform {

// A terminal program here is started from a terminal that stays open.
bool ShowInOwnConsole(std::string_view) { return false; }

}  // namespace routix::platform
