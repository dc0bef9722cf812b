#include "platform/terminal.h"

#include <sys/ioctl.h>
#include <unistd.h>

namespace routix::platform {

void WriteStandard(std::FILE* stream, std::string_view text) {
  std::fwrite(text.data(), 1, text.size(), stream);
}

bool StandardErrorIsTerminal() { return isatty(STDERR_FILENO) == 1; }

int StandardErrorColumns() {
  winsize size{};
  if (ioctl(STDERR_FILENO, TIOCGWINSZ, &size) != 0) return 0;
  return size.ws_col;
}

}  // namespace routix::platform
