// The per-boundary set names: cleaning a description and numbering repeats.
#include "boundaries/output_names.h"

#include <gtest/gtest.h>

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
  struct Row {
    const char* what;
    std::vector<std::string> descriptions;
    std::vector<std::string> names;
  } rows[] = {
      {"repeats and empty",
       {"North", "North", "", "*:", std::string(60, ' ')},
       {"North", "North_001", "NONAME", "NONAME_001", "NONAME_002"}},
      {"case", {"North", "NORTH", "north"}, {"North", "NORTH_001", "north_002"}},
      {"accented case",
       {"Z\xFCrich", "Z\xDCRICH", "\xFF", "\x9F"},
       {"Z\xFCrich", "Z\xDCRICH_001", "\xFF", "\x9F_001"}},
      {"a taken number is skipped",
       {"North_001", "North", "North"},
       {"North_001", "North", "North_002"}},
      {"uniqueness after the device mend",
       {"NUL", "nul_", "nul"},
       {"NUL_", "nul__001", "nul__002"}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    UsedOutputNames used;
    std::vector<std::string> names;
    for (const std::string& description : row.descriptions) {
      names.push_back(MakeOutputName(used, description));
    }
    EXPECT_EQ(names, row.names);
  }
}

TEST(MakeOutputName, GoesOnToFourDigitsAfter999) {
  UsedOutputNames used;
  std::string name;
  for (int i = 0; i <= 1000; ++i) name = MakeOutputName(used, "x");
  EXPECT_EQ(name, "x_1000");
}

}  // namespace
}  // namespace routix::boundaries
