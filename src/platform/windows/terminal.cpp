#include "platform/terminal.h"

#include <io.h>
#include <stdio.h>
#include <windows.h>

namespace routix::platform {

bool StandardErrorIsTerminal() { return _isatty(_fileno(stderr)) != 0; }

int StandardErrorColumns() {
  CONSOLE_SCREEN_BUFFER_INFO info;
  if (!GetConsoleScreenBufferInfo(GetStdHandle(STD_ERROR_HANDLE), &info)) return 0;
  return info.srWindow.Right - info.srWindow.Left + 1;
}

}  // namespace routix::platform
