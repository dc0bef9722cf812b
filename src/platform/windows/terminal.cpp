#include "platform/terminal.h"

#include <io.h>
#include <windows.h>

#include <algorithm>
#include <string>

#include "platform/windows/wide_text.h"

namespace routix::platform {

void WriteStandard(std::FILE* stream, std::string_view text) {
  const HANDLE handle = GetStdHandle(stream == stderr ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE);
  DWORD mode = 0;
  if (!GetConsoleMode(handle, &mode)) {
    std::fwrite(text.data(), 1, text.size(), stream);
    return;
  }
  std::fflush(stream);  // what went through the C library first stays first
  const std::wstring wide = Widen(text);
  for (size_t done = 0; done < wide.size();) {
    // A console takes a limited amount in one call.
    constexpr size_t kMaxCallChars = 8192;
    const size_t part = std::min(wide.size() - done, kMaxCallChars);
    DWORD written = 0;
    if (!WriteConsoleW(handle, wide.data() + done, static_cast<DWORD>(part), &written, nullptr) ||
        written == 0) {
      return;
    }
    done += written;
  }
}

bool StandardErrorIsTerminal() { return _isatty(_fileno(stderr)) != 0; }

int StandardErrorColumns() {
  CONSOLE_SCREEN_BUFFER_INFO info;
  if (!GetConsoleScreenBufferInfo(GetStdHandle(STD_ERROR_HANDLE), &info)) return 0;
  return info.srWindow.Right - info.srWindow.Left + 1;
}

}  // namespace routix::platform
