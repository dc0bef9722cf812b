#include "platform/file_name_text.h"

namespace routix::platform {

std::string FileNameFromAnsi(std::string_view ansi) { return std::string(ansi); }

}  // namespace routix::platform
