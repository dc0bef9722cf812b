#include "platform/file_name_encoding.h"

namespace routix::platform {

const bool kFileNamesAreUtf8 = true;

}  // namespace routix::platform
