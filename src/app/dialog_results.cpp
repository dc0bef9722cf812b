#include "app/dialog_results.h"

#include "base/path_utils.h"
#include "base/system_paths.h"

namespace routix::app {

std::string FolderDialogResult(const std::optional<std::string>& chosen,
                               const std::string& start_path) {
  if (!chosen) return start_path;
  return *chosen + base::kNativeSeparator;
}

std::string SaveDialogResult(const std::optional<std::string>& chosen, const std::string& file_name,
                             const std::string& ext) {
  std::string result;
  if (chosen) {
    result = *chosen;
  } else if (file_name.empty()) {
    return {};
  } else {
    result = file_name;
  }
  if (!base::EndsWithAnyCase(result, ext)) result += ext;
  return result;
}

}  // namespace routix::app
