// What the Win32 window tests do to the real windows, through the messages a user's presses
// make: posted mouse clicks and keys, handled through the dialog manager as the program's
// own message loop does; and a ModalAnswerer that answers the modal windows a test opens.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "gui_win32/win32.h"

namespace routix::testing {

// Handles every pending message of this thread, the keys through form's dialog manager.
void Pump(HWND form);
// Posts a left click in control's top left corner, as the mouse makes it.
void PostClick(HWND control);
// Posts a key press and its release to the focused control: with alt, as Alt+key.
void PostKey(UINT virtual_key, bool alt = false);
// Posts the press of a dialog's button, as a click on it makes it.
void PressButton(HWND dialog, int id);

// A message box as a test sees it: its icon, its Yes and No if it has them, its title and its
// text: "critical \"Db2asc error\": Incompatible dictionary file.".
std::string MessageBoxSeen(HWND box);
bool IsMessageBox(HWND window);
bool IsPopupMenu(HWND window);

// Every few milliseconds, also inside the modal loops of message boxes, dialogs and menus, it
// hands the window that is modal now to the test's callback, which acts on it by posted
// messages. Without a callback a message box is answered with its first button and kept in
// messages. One answerer at a time.
class ModalAnswerer {
 public:
  explicit ModalAnswerer(std::function<void(HWND)> answer = {});
  ModalAnswerer(const ModalAnswerer&) = delete;
  ModalAnswerer& operator=(const ModalAnswerer&) = delete;
  ~ModalAnswerer();

  std::vector<std::string> messages;

 private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);

  std::function<void(HWND)> answer_;
  UINT_PTR timer_;
  bool answering_ = false;
  HWND answered_ = nullptr;
};

}  // namespace routix::testing
