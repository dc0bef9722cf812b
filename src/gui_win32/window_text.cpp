#include "gui_win32/window_text.h"

#include "platform/windows/wide_text.h"

namespace routix::gui_win32 {
namespace {

constexpr UINT kWindows1252 = 1252;

}  // namespace

std::string WindowText(HWND window) {
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(
      static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return platform::Narrow(text);
}

void SetText(HWND window, const std::string& text) {
  SetWindowTextW(window, platform::Widen(text).c_str());
}

std::wstring WideFromCp1252(const std::string& text) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  std::wstring wide(static_cast<size_t>(size), L'\0');  // one UTF-16 unit per byte
  wide.resize(static_cast<size_t>(
      MultiByteToWideChar(kWindows1252, 0, text.data(), size, wide.data(), size)));
  return wide;
}

}  // namespace routix::gui_win32
