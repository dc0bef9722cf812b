#include "platform/file_path.h"

#include "platform/windows/wide_path.h"
#include "platform/windows/wide_text.h"

namespace routix::platform {

std::filesystem::path FilePath(std::string_view text) { return std::filesystem::path(Widen(text)); }

std::string PathText(const std::filesystem::path& path) { return Narrow(path.native()); }

std::string AbsolutePath(const std::string& path) {
  return path.empty() ? path : Narrow(FullPathName(Widen(path)));
}

}  // namespace routix::platform
