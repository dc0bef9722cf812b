#include "platform/posix/command_line_arguments.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/case_table.h"

namespace routix::platform {
namespace {

TEST(SplitCommandLine, FollowsTheWindowsRulesForQuotedTokens) {
  for (const testing::Case& row : testing::ReadCases("platform/command_lines.tsv"))
    EXPECT_EQ(SplitCommandLine(row[0]), std::vector(row.fields.begin() + 1, row.fields.end()))
        << row.where;
}

}  // namespace
}  // namespace routix::platform
