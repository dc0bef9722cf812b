#include "platform/ansi_text.h"

#include <windows.h>

#include "platform/windows/wide_text.h"

namespace routix::platform {
namespace {

// Whether the ANSI code page holds every character of text, with none replaced by a look-alike.
bool FitsAnsiCodePage(const std::wstring& text) {
  if (GetACP() == CP_UTF8) return true;  // and the call below refuses to say for it
  BOOL replaced = FALSE;
  WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), static_cast<int>(text.size()),
                      nullptr, 0, nullptr, &replaced);
  return !replaced;
}

}  // namespace

std::optional<std::string> AnsiFolderPath(const std::string& folder) {
  const std::wstring wide = Widen(folder);
  if (FitsAnsiCodePage(wide)) return folder;
  std::wstring short_path(MAX_PATH, L'\0');
  while (true) {
    const DWORD length =
        GetShortPathNameW(wide.c_str(), short_path.data(), static_cast<DWORD>(short_path.size()));
    if (length == 0) return std::nullopt;
    if (length < short_path.size()) {
      short_path.resize(length);
      break;
    }
    short_path.resize(length);
  }
  if (!FitsAnsiCodePage(short_path)) return std::nullopt;
  return Narrow(short_path);
}

std::string ToAnsiCodePage(std::string_view text) { return NarrowTo(CP_ACP, Widen(text)); }

std::string FromAnsiCodePage(std::string_view ansi) { return Narrow(WidenFrom(CP_ACP, ansi)); }

}  // namespace routix::platform
