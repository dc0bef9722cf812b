#include "gui_win32/win32_services.h"

namespace routix::gui_win32 {
namespace {

bool IsInput(UINT message) {
  return (message >= WM_KEYFIRST && message <= WM_KEYLAST) ||
         (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST);
}

}  // namespace

void Win32ProgressBar::Sync() {
  if (!dirty_) return;
  dirty_ = false;
  SendMessageA(bar_, PBM_SETRANGE32, 0, maximum());
  SendMessageA(bar_, PBM_SETPOS, static_cast<WPARAM>(value()), 0);
}

void Win32StatusPanel::SetText(const std::string& text) {
  SendMessageA(status_bar_, SB_SETTEXTA, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void Win32Yielder::Yield() {
  if (std::chrono::steady_clock::now() - last_ < kYieldInterval) return;
  YieldNow();
}

void Win32Yielder::YieldNow() {
  progress_.Sync();
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (IsInput(message.message) && (message.hwnd == window_ || IsChild(window_, message.hwnd))) {
      continue;  // a press during the run does nothing
    }
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  last_ = std::chrono::steady_clock::now();
}

}  // namespace routix::gui_win32
