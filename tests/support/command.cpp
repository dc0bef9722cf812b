#include "support/command.h"

#include <sys/wait.h>

#include <cstdio>

namespace routix::testing {

CommandResult RunCommand(const std::string& command) {
  CommandResult result;
  std::FILE* pipe = popen(("{ " + command + "\n} 2>&1").c_str(), "r");
  if (pipe == nullptr) return result;
  char chunk[4096];
  while (size_t read = std::fread(chunk, 1, sizeof chunk, pipe)) result.output.append(chunk, read);
  if (const int status = pclose(pipe); WIFEXITED(status)) result.exit_status = WEXITSTATUS(status);
  return result;
}

std::string ShellQuote(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

}  // namespace routix::testing
