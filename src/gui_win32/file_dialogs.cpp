#include "gui_win32/file_dialogs.h"

#include <array>
#include <optional>

#include "app/dialog_results.h"
#include "app/messages.h"
#include "platform/program_folder.h"

namespace routix::gui_win32 {
namespace {

// Opens the folder browser on the folder data names, and keeps its status line on the full
// path of the folder the user is on. A failure in here leaves the dialog as it is.
int CALLBACK BrowseCallback(HWND dialog, UINT message, LPARAM parameter, LPARAM data) {
  if (message == BFFM_INITIALIZED) {
    SendMessageA(dialog, BFFM_SETSELECTIONA, TRUE, data);
  } else if (message == BFFM_SELCHANGED) {
    std::array<char, MAX_PATH> path{};
    if (SHGetPathFromIDListA(reinterpret_cast<PCIDLIST_ABSOLUTE>(parameter), path.data())) {
      SendMessageA(dialog, BFFM_SETSTATUSTEXTA, 0, reinterpret_cast<LPARAM>(path.data()));
    }
  }
  return 0;
}

}  // namespace

std::string BrowseForFolder(HWND owner, const std::string& start_path, const std::string& title) {
  const std::string start = start_path.empty() ? platform::ProgramFolder() : start_path;
  BROWSEINFOA info = {};
  info.hwndOwner = owner;
  info.lpszTitle = title.c_str();
  info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_DONTGOBELOWDOMAIN | BIF_STATUSTEXT;
  info.lpfn = BrowseCallback;
  info.lParam = reinterpret_cast<LPARAM>(start.c_str());
  std::optional<std::string> chosen;
  if (PIDLIST_ABSOLUTE item = SHBrowseForFolderA(&info)) {
    std::array<char, MAX_PATH> path{};
    if (SHGetPathFromIDListA(item, path.data())) chosen = path.data();
    CoTaskMemFree(item);
  }
  return app::FolderDialogResult(chosen, start_path);
}

std::string SaveFileDialog(HWND owner, const std::string& file_name, const std::string& title,
                           const std::string& ext) {
  const std::string program_folder = file_name.empty() ? platform::ProgramFolder() : "";
  const std::string shown = app::ShapeFilesFilter(ext);
  const std::string filter = shown + '\0' + '*' + ext + '\0';  // and the string's own NUL
  std::array<char, kLongestSavePath + 1> path{};
  if (file_name.size() <= kLongestSavePath) file_name.copy(path.data(), file_name.size());
  OPENFILENAMEA dialog = {};
  dialog.lStructSize = OPENFILENAME_SIZE_VERSION_400A;  // without the fields of later systems
  dialog.hwndOwner = owner;
  dialog.hInstance = GetModuleHandleA(nullptr);
  dialog.lpstrFilter = filter.c_str();
  dialog.lpstrFile = path.data();
  dialog.nMaxFile = static_cast<DWORD>(path.size());
  dialog.lpstrInitialDir = program_folder.empty() ? nullptr : program_folder.c_str();
  dialog.lpstrTitle = title.c_str();
  // No read-only box, and the program's working folder stays as it is.
  dialog.Flags = OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
  std::optional<std::string> chosen;
  if (GetSaveFileNameA(&dialog)) chosen = path.data();
  return app::SaveDialogResult(chosen, file_name, ext);
}

}  // namespace routix::gui_win32
