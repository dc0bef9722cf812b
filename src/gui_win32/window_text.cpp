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
  return platform::WidenFrom(kWindows1252, text);
}

}  // namespace routix::gui_win32
