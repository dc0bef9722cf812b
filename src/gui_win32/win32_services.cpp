#include "gui_win32/win32_services.h"

#include "platform/windows/wide_text.h"

namespace routix::gui_win32 {
namespace {

bool IsInput(UINT message) {
  return (message >= WM_KEYFIRST && message <= WM_KEYLAST) ||
         (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST);
}

// Esc and Alt+E, the keys of Exit.
bool PressesExit(const MSG& message) {
  return (message.message == WM_KEYDOWN && message.wParam == VK_ESCAPE) ||
         (message.message == WM_SYSKEYDOWN && message.wParam == 'E');
}

}  // namespace

void Win32ProgressBar::Sync() {
  if (!dirty_) return;
  dirty_ = false;
  SendMessageW(bar_, PBM_SETRANGE32, 0, maximum());
  SendMessageW(bar_, PBM_SETPOS, static_cast<WPARAM>(value()), 0);
}

void Win32StatusPanel::SetText(const std::string& text) {
  const std::wstring wide = platform::Widen(text);
  SendMessageW(status_bar_, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(wide.c_str()));
}

void Win32Yielder::Yield() {
  if (std::chrono::steady_clock::now() - last_ < kYieldInterval) return;
  YieldNow();
}

void Win32Yielder::YieldNow() {
  progress_.Sync();
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (IsInput(message.message) && (message.hwnd == window_ || IsChild(window_, message.hwnd))) {
      // A press during the run does nothing; Exit's keys close the window as its close box
      // does, once the run has ended.
      if (PressesExit(message)) PostMessageW(window_, WM_CLOSE, 0, 0);
      continue;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  last_ = std::chrono::steady_clock::now();
}

}  // namespace routix::gui_win32
