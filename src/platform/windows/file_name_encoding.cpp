#include "platform/file_name_encoding.h"

namespace routix::platform {

const bool kFileNamesAreUtf8 = false;
const bool kFileNamesIgnoreCase = true;

}  // namespace routix::platform
