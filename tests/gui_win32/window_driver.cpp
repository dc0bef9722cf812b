#include "window_driver.h"

#include <array>
#include <cstring>

#include "gui_win32/window_text.h"

namespace routix::testing {
namespace {

constexpr UINT kTickMilliseconds = 10;
constexpr int kMessageBoxTextId = 0xFFFF;  // the static control that holds a box's text

ModalAnswerer* current_answerer = nullptr;

std::string ClassOf(HWND window) {
  std::array<char, 32> name{};
  GetClassNameA(window, name.data(), static_cast<int>(name.size()));
  return name.data();
}

// The modal window of this thread: a popup menu, else the enabled window whose owner it
// disabled.
HWND CurrentModal() {
  struct Search {
    bool menus;
    HWND found;
  };
  for (bool menus : {true, false}) {
    Search search{menus, nullptr};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM data) -> BOOL {
          auto* search = reinterpret_cast<Search*>(data);
          HWND owner = GetWindow(window, GW_OWNER);
          const bool modal = search->menus ? IsPopupMenu(window)
                                           : IsWindowEnabled(window) && owner != nullptr &&
                                                 !IsWindowEnabled(owner);
          if (!IsWindowVisible(window) || !modal) return TRUE;
          search->found = window;
          return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    if (search.found != nullptr) return search.found;
  }
  return nullptr;
}

const char* IconName(HWND box) {
  HWND icon = nullptr;
  for (HWND child = GetWindow(box, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    if ((GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) icon = child;
  }
  if (icon == nullptr || !IsWindowVisible(icon)) return "none";
  auto shown = reinterpret_cast<HICON>(SendMessageA(icon, STM_GETICON, 0, 0));
  if (shown == LoadIconA(nullptr, IDI_HAND)) return "critical";
  if (shown == LoadIconA(nullptr, IDI_QUESTION)) return "question";
  if (shown == LoadIconA(nullptr, IDI_ASTERISK)) return "information";
  return shown == nullptr ? "none" : "other";
}

}  // namespace

void Pump(HWND form) {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (form != nullptr && IsWindow(form) && IsDialogMessageA(form, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

void PostClick(HWND control) {
  PostMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
  PostMessageA(control, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
}

void PostKey(UINT virtual_key, bool alt) {
  HWND focus = GetFocus();
  const LPARAM context = alt ? LPARAM{1} << 29 : 0;
  PostMessageA(focus, alt ? WM_SYSKEYDOWN : WM_KEYDOWN, virtual_key, context | 1);
  PostMessageA(focus, alt ? WM_SYSKEYUP : WM_KEYUP, virtual_key, context | 1 | (LPARAM{3} << 30));
}

void PressButton(HWND dialog, int id) {
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

bool IsMessageBox(HWND window) {
  return ClassOf(window) == "#32770" && GetDlgItem(window, kMessageBoxTextId) != nullptr;
}

bool IsPopupMenu(HWND window) { return ClassOf(window) == "#32768"; }

std::string MessageBoxSeen(HWND box) {
  const bool yes_no = GetDlgItem(box, IDYES) != nullptr && GetDlgItem(box, IDNO) != nullptr;
  return std::string(IconName(box)) + (yes_no ? " yes/no" : "") + " \"" +
         gui_win32::WindowText(box) +
         "\": " + gui_win32::WindowText(GetDlgItem(box, kMessageBoxTextId));
}

ModalAnswerer::ModalAnswerer(std::function<void(HWND)> answer) : answer_(std::move(answer)) {
  current_answerer = this;
  timer_ = SetTimer(nullptr, 0, kTickMilliseconds, Tick);
}

ModalAnswerer::~ModalAnswerer() {
  KillTimer(nullptr, timer_);
  current_answerer = nullptr;
}

void CALLBACK ModalAnswerer::Tick(HWND, UINT, UINT_PTR, DWORD) {
  ModalAnswerer* answerer = current_answerer;
  if (answerer == nullptr || answerer->answering_) return;
  HWND modal = CurrentModal();
  if (modal == nullptr) return;
  answerer->answering_ = true;
  if (answerer->answer_) {
    answerer->answer_(modal);
  } else if (IsMessageBox(modal) && modal != answerer->answered_) {
    answerer->answered_ = modal;  // until its posted answer has closed it
    answerer->messages.push_back(MessageBoxSeen(modal));
    HWND first = FindWindowExA(modal, nullptr, "Button", nullptr);
    PressButton(modal, GetDlgCtrlID(first));
  }
  answerer->answering_ = false;
}

}  // namespace routix::testing
