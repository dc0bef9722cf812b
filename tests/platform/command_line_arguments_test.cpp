#include "platform/posix/command_line_arguments.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace routix::platform {
namespace {

TEST(SplitCommandLine, FollowsTheWindowsRulesForQuotedTokens) {
  using Arguments = std::vector<std::string>;
  struct Row {
    const char* command_line;
    Arguments arguments;
  } rows[] = {
      {R"("S/PRO/db2asc.exe" "S/PRO/g.cfg" 1)", {"S/PRO/db2asc.exe", "S/PRO/g.cfg", "1"}},
      {R"("/my server/PRO/db2asc.exe" "/my server/PRO/g.cfg" 1)",
       {"/my server/PRO/db2asc.exe", "/my server/PRO/g.cfg", "1"}},
      {"  prog \t a  b ", {"prog", "a", "b"}},
      {"", {}},
      {"   ", {}},
      {R"("C:\dir\"x y)", {R"(C:\dir\x)", "y"}},  // the program token takes no escapes
      {R"(p a"b c"d)", {"p", "ab cd"}},
      {R"(p "")", {"p", ""}},
      {R"(p "a""b")", {"p", R"(a"b)"}},
      {R"(p a\\b)", {"p", R"(a\\b)"}},
      {R"(p a\\"b c")", {"p", R"(a\b c)"}},
      {R"(p a\\\"b)", {"p", R"(a\"b)"}},
      {R"(p "unclosed arg)", {"p", "unclosed arg"}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.command_line);
    EXPECT_EQ(SplitCommandLine(row.command_line), row.arguments);
  }
}

}  // namespace
}  // namespace routix::platform
