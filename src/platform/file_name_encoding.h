// Whether two file names that differ only in case name the same file: on Windows, not
// elsewhere, as the build fixes it for the target system.
#pragma once

#include "base/system_paths.h"

namespace routix::platform {

using base::kFileNamesIgnoreCase;

}  // namespace routix::platform
