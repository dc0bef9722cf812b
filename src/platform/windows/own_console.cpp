#include "platform/own_console.h"

#include <windows.h>

#include <string>

#include "platform/windows/wide_text.h"

namespace routix::platform {

bool ShowInOwnConsole(std::string_view text) {
  DWORD processes[2];
  if (GetConsoleProcessList(processes, 2) != 1) return false;
  HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
  HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
  DWORD mode;
  if (!GetConsoleMode(input, &mode) || !GetConsoleMode(output, &mode)) return false;
  const std::wstring wide = Widen(text);
  DWORD written;
  WriteConsoleW(output, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
  // The console reads a line at a time: a read ends with the Enter that ends its line.
  wchar_t line[256];
  DWORD read = 0;
  while (ReadConsoleW(input, line, 256, &read, nullptr) && read > 0 && line[read - 1] != L'\n') {
  }
  return true;
}

}  // namespace routix::platform
