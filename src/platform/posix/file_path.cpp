#include "platform/file_path.h"

namespace routix::platform {

std::filesystem::path FilePath(std::string_view text) { return std::filesystem::path(text); }

std::string PathText(const std::filesystem::path& path) { return path.string(); }

}  // namespace routix::platform
