// The folder and save-file dialogs of the browse buttons, on the shell's folder browser and
// the common save dialog, through their …W calls. Each gives back the text the field is to
// hold, on confirm and on cancel alike.
#pragma once

#include <string>

#include "gui_win32/win32.h"

namespace routix::gui_win32 {

// The chosen folder followed by a backslash, or start_path unchanged on cancel. The dialog
// (file-system folders only, not below the domain, with a status line that shows the full
// path of the current folder) opens on start_path, or on the program's own folder when that
// is empty.
std::string BrowseForFolder(HWND owner, const std::string& start_path, const std::string& title);

// The chosen path, or file_name on cancel (empty stays empty), with ext appended unless its
// last characters in lower case already are ext. The dialog offers file_name in its folder,
// or opens on the program's own folder when that is empty, and asks nothing before an
// overwrite. A path of more than kLongestSavePath characters cannot be chosen.
std::string SaveFileDialog(HWND owner, const std::string& file_name, const std::string& title,
                           const std::string& ext);

inline constexpr size_t kLongestSavePath = 254;

}  // namespace routix::gui_win32
