// Runs shell commands for a test and gives back what they printed on standard output (with
// standard error joined to it) and their exit status.
#pragma once

#include <gtest/gtest.h>

#include <string>

namespace routix::testing {

struct CommandResult {
  int exit_status = -1;
  std::string output;
};

CommandResult RunCommand(const std::string& command);

// The text quoted for a POSIX shell.
std::string ShellQuote(const std::string& text);

// What GDAL's ogrinfo, an independent reader, says of path, read-only with the options; a
// test failure when it does not exit 0.
inline std::string OgrInfo(const std::string& options, const std::string& path) {
  CommandResult result = RunCommand("ogrinfo -ro " + options + " " + ShellQuote(path));
  EXPECT_EQ(result.exit_status, 0) << result.output;
  return result.output;
}

}  // namespace routix::testing
