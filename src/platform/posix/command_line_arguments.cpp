#include "platform/posix/command_line_arguments.h"

namespace routix::platform {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

std::vector<std::string> SplitCommandLine(std::string_view command_line) {
  std::vector<std::string> arguments;
  size_t i = 0;
  const size_t n = command_line.size();
  while (i < n && IsBlank(command_line[i])) ++i;
  if (i == n) return arguments;

  std::string program;
  if (command_line[i] == '"') {
    size_t close = command_line.find('"', i + 1);
    size_t end = close == std::string_view::npos ? n : close;
    program.assign(command_line.substr(i + 1, end - i - 1));
    i = close == std::string_view::npos ? n : close + 1;
  }
  while (i < n && !IsBlank(command_line[i])) program += command_line[i++];
  arguments.push_back(std::move(program));

  while (true) {
    while (i < n && IsBlank(command_line[i])) ++i;
    if (i == n) return arguments;
    std::string argument;
    bool quoted = false;
    while (i < n && (quoted || !IsBlank(command_line[i]))) {
      size_t backslashes = 0;
      while (i < n && command_line[i] == '\\') {
        ++backslashes;
        ++i;
      }
      if (i < n && command_line[i] == '"') {
        argument.append(backslashes / 2, '\\');
        if (backslashes % 2 == 1) {
          argument += '"';
        } else if (quoted && i + 1 < n && command_line[i + 1] == '"') {
          argument += '"';
          ++i;
        } else {
          quoted = !quoted;
        }
        ++i;
      } else {
        argument.append(backslashes, '\\');
        if (i < n && (quoted || !IsBlank(command_line[i]))) argument += command_line[i++];
      }
    }
    arguments.push_back(std::move(argument));
  }
}

}  // namespace routix::platform
