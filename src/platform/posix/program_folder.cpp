#include "platform/program_folder.h"

#include <filesystem>
#include <system_error>

#include "base/conversion_error.h"

namespace routix::platform {

std::string ProgramFolder() {
  // Linux names the running executable through this link.
  constexpr const char* kSelf = "/proc/self/exe";
  std::error_code error;
  std::filesystem::path executable = std::filesystem::read_symlink(kSelf, error);
  if (error) throw base::FileError("read", kSelf, error.message());
  return executable.parent_path().string();
}

}  // namespace routix::platform
