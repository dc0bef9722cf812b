// The folder and save-file dialogs of the browse buttons, on Qt's file dialogs (the
// platform's own where it has them). Each gives back the text the field is to hold, on
// confirm and on cancel alike.
#pragma once

#include <QWidget>
#include <string>

namespace routix::gui {

// The chosen folder followed by a separator, or start_path unchanged on cancel. The dialog
// opens on start_path, or on the program's own folder when that is empty.
std::string BrowseForFolder(QWidget* owner, const std::string& start_path,
                            const std::string& title);

// The chosen path, or file_name on cancel (empty stays empty), with ext appended unless its
// last characters in lower case already are ext. The dialog opens on file_name, or on the
// program's own folder when that is empty, and asks nothing before an overwrite.
std::string SaveFileDialog(QWidget* owner, const std::string& file_name, const std::string& title,
                           const std::string& ext);

}  // namespace routix::gui
