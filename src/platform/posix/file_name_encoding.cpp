#include "platform/file_name_encoding.h"

namespace routix::platform {

const bool kFileNamesIgnoreCase = false;

}  // namespace routix::platform
