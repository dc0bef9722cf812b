#include "platform/tool_folder.h"

#include <string_view>

#include "base/path_utils.h"
#include "platform/program_folder.h"

namespace routix::platform {

std::string DefaultToolFolder() {
  constexpr std::string_view kConfigured = ROUTIX_TOOL_FOLDER;
  if (!kConfigured.empty()) return std::string(kConfigured);
  return base::NormalizePath(ProgramFolder() + base::NativeSeparators("\\Server\\PRO"));
}

}  // namespace routix::platform
