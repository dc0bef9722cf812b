// Whether standard error is a terminal, where a progress line can be redrawn in place.
#pragma once

namespace routix::platform {

bool StandardErrorIsTerminal();

}  // namespace routix::platform
