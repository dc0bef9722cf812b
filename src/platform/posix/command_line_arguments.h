// Splits a command line into arguments by the rules of a Windows program, so that a command
// line means the same on every platform. The first token, the program, runs to the closing
// quote when it starts with one, else to the first blank or tab. After it blanks and tabs
// outside quotes separate arguments, "" inside quotes is a quote, and backslashes count only
// before a quote (2n of them give n, 2n + 1 give n and a literal quote).
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace routix::platform {

std::vector<std::string> SplitCommandLine(std::string_view command_line);

}  // namespace routix::platform
