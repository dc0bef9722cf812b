// The per-boundary set names: cleaning a description and numbering repeats.
#include "boundaries/output_names.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "support/case_table.h"

namespace routix::boundaries {
namespace {

TEST(CleanFileName, RemovesWhatNoWindowsFileNameMayHold) {
  for (const testing::Case& row : testing::ReadCases("boundaries/clean_names.tsv")) {
    EXPECT_EQ(CleanFileName(row[0]), row[1]) << row.where;
  }
}

TEST(MakeOutputName, NumbersRepeatsWithoutRegardToCaseAndNamesEmptyOnesNoname) {
  for (const testing::Case& row : testing::ReadCases("boundaries/output_names.tsv")) {
    const auto names = std::find(row.fields.begin(), row.fields.end(), "=");
    UsedOutputNames used;
    std::vector<std::string> made;
    for (auto it = row.fields.begin(); it != names; ++it) made.push_back(MakeOutputName(used, *it));
    EXPECT_EQ(made, std::vector(names + 1, row.fields.end())) << row.where;
  }
  UsedOutputNames used;  // four digits after 999
  std::string name;
  for (int i = 0; i <= 1000; ++i) name = MakeOutputName(used, "x");
  EXPECT_EQ(name, "x_1000");
}

}  // namespace
}  // namespace routix::boundaries
