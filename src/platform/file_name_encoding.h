// Whether two file names that differ only in case name the same file: on Windows, not
// elsewhere.
#pragma once

namespace routix::platform {

extern const bool kFileNamesIgnoreCase;

}  // namespace routix::platform
