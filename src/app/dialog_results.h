// What the folder and save dialogs hand back to the field they were opened from, whether
// the user confirmed or cancelled: a chosen folder with one separator after it, else the
// start path; a chosen or kept file name with the extension added unless its last
// characters, turned to lower case, already are the extension.
#pragma once

#include <optional>
#include <string>

namespace routix::app {

// chosen: the folder the user confirmed, nothing on cancel.
std::string FolderDialogResult(const std::optional<std::string>& chosen,
                               const std::string& start_path);

// chosen: the path the user confirmed, nothing on cancel; ext with its full stop, lower case.
std::string SaveDialogResult(const std::optional<std::string>& chosen, const std::string& file_name,
                             const std::string& ext);

}  // namespace routix::app
