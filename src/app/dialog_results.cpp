#include "app/dialog_results.h"

#include "platform/native_separator.h"

namespace routix::app {

std::string FolderDialogResult(const std::optional<std::string>& chosen,
                               const std::string& start_path) {
  if (!chosen) return start_path;
  return *chosen + platform::kNativeSeparator;
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
  bool has_ext = result.size() >= ext.size();
  for (size_t i = 0; has_ext && i < ext.size(); ++i) {
    char c = result[result.size() - ext.size() + i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    has_ext = c == ext[i];
  }
  if (!has_ext) result += ext;
  return result;
}

}  // namespace routix::app
