// The character that separates the components of a path on this platform: a backslash on
// Windows, a slash elsewhere. One definition per platform is linked in.
#pragma once

namespace routix::platform {

extern const char kNativeSeparator;

}  // namespace routix::platform
