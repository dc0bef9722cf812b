// Runs shell commands for a test and gives back what they printed on standard output (with
// standard error joined to it) and their exit status.
#pragma once

#include <string>

namespace routix::testing {

struct CommandResult {
  int exit_status = -1;
  std::string output;
};

CommandResult RunCommand(const std::string& command);

// The text quoted for a POSIX shell.
std::string ShellQuote(const std::string& text);

}  // namespace routix::testing
