#include "platform/native_separator.h"

namespace routix::platform {

const char kNativeSeparator = '/';

}  // namespace routix::platform
