#include "gui_win32/file_dialogs.h"

#include <array>
#include <optional>

#include "app/dialog_results.h"
#include "app/messages.h"
#include "platform/program_folder.h"
#include "platform/windows/wide_text.h"

namespace routix::gui_win32 {
namespace {

using platform::Narrow;
using platform::Widen;

// Opens the folder browser on the folder data names, and keeps its status line on the full
// path of the folder the user is on. A failure in here leaves the dialog as it is.
int CALLBACK BrowseCallback(HWND dialog, UINT message, LPARAM parameter, LPARAM data) {
  if (message == BFFM_INITIALIZED) {
    SendMessageW(dialog, BFFM_SETSELECTIONW, TRUE, data);
  } else if (message == BFFM_SELCHANGED) {
    std::array<wchar_t, MAX_PATH> path{};
    if (SHGetPathFromIDListW(reinterpret_cast<PCIDLIST_ABSOLUTE>(parameter), path.data())) {
      SendMessageW(dialog, BFFM_SETSTATUSTEXTW, 0, reinterpret_cast<LPARAM>(path.data()));
    }
  }
  return 0;
}

}  // namespace

std::string BrowseForFolder(HWND owner, const std::string& start_path, const std::string& title) {
  const std::string start = start_path.empty() ? platform::ProgramFolder() : start_path;
  const std::wstring wide_start = Widen(start), wide_title = Widen(title);
  BROWSEINFOW info = {};
  info.hwndOwner = owner;
  info.lpszTitle = wide_title.c_str();
  info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_DONTGOBELOWDOMAIN | BIF_STATUSTEXT;
  info.lpfn = BrowseCallback;
  info.lParam = reinterpret_cast<LPARAM>(wide_start.c_str());
  std::optional<std::string> chosen;
  if (PIDLIST_ABSOLUTE item = SHBrowseForFolderW(&info)) {
    std::array<wchar_t, MAX_PATH> path{};
    if (SHGetPathFromIDListW(item, path.data())) chosen = Narrow(path.data());
    CoTaskMemFree(item);
  }
  return app::FolderDialogResult(chosen, start_path);
}

std::string SaveFileDialog(HWND owner, const std::string& file_name, const std::string& title,
                           const std::string& ext) {
  const std::wstring program_folder = file_name.empty() ? Widen(platform::ProgramFolder()) : L"";
  const std::wstring shown = Widen(app::ShapeFilesFilter(ext)), wide_ext = Widen(ext);
  const std::wstring filter = shown + L'\0' + L'*' + wide_ext + L'\0';  // and the string's NUL
  const std::wstring wide_name = Widen(file_name), wide_title = Widen(title);
  std::array<wchar_t, kLongestSavePath + 1> path{};
  if (wide_name.size() <= kLongestSavePath) wide_name.copy(path.data(), wide_name.size());
  OPENFILENAMEW dialog = {};
  dialog.lStructSize = OPENFILENAME_SIZE_VERSION_400W;  // without the fields of later systems
  dialog.hwndOwner = owner;
  dialog.hInstance = GetModuleHandleW(nullptr);
  dialog.lpstrFilter = filter.c_str();
  dialog.lpstrFile = path.data();
  dialog.nMaxFile = static_cast<DWORD>(path.size());
  dialog.lpstrInitialDir = program_folder.empty() ? nullptr : program_folder.c_str();
  dialog.lpstrTitle = wide_title.c_str();
  // No read-only box, and the program's working folder stays as it is.
  dialog.Flags = OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
  std::optional<std::string> chosen;
  if (GetSaveFileNameW(&dialog)) chosen = Narrow(path.data());
  return app::SaveDialogResult(chosen, file_name, ext);
}

}  // namespace routix::gui_win32
