// The character that separates the components of a path on this platform: a backslash on
// Windows, a slash elsewhere, as the build fixes it for the target system.
#pragma once

#include "base/system_paths.h"

namespace routix::platform {

using base::kNativeSeparator;

}  // namespace routix::platform
