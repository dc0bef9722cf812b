#include "platform/program_folder.h"

#include <windows.h>

#include <string>

#include "base/conversion_error.h"
#include "platform/windows/wide_text.h"

namespace routix::platform {

std::string ProgramFolder() {
  // Windows paths are at most this long, even with the long-path prefix.
  constexpr DWORD kMaxPathChars = 32768;
  std::wstring path(MAX_PATH, L'\0');
  while (true) {
    DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) {
      throw base::FileError("find", "the running program",
                            "error " + std::to_string(GetLastError()));
    }
    if (length < path.size() || path.size() >= kMaxPathChars) {
      path.resize(length);
      break;
    }
    path.resize(path.size() * 2);
  }
  size_t cut = path.find_last_of(L'\\');
  return cut == std::wstring::npos ? std::string() : Narrow(std::wstring_view(path).substr(0, cut));
}

}  // namespace routix::platform
