// The per-boundary set names: cleaning a description and numbering repeats.
#include "boundaries/output_names.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace routix::boundaries {
namespace {

TEST(CleanFileName, RemovesWhatNoWindowsFileNameMayHold) {
  struct Row {
    std::string text;
    std::string name;
  } rows[] = {
      {"  North  ", "North"},
      {"a*b\\c/d:e,f", "abcdef"},
      {std::string("North  \0\0", 9), "North  "},  // trimmed before the NUL bytes go
      {"*  North", "  North"},
      {"What? Zone|A", "What ZoneA"},
      {"<a>\"b\"", "ab"},
      {"tab\there\x1F\x01", "tabhere"},
      {"Z\xFCrich \x80", "Z\xFCrich \x80"},
      {"*:\\/,", ""},
      {"NUL", "NUL_"},
      {"con", "con_"},
      {"com1.north", "com1_.north"},
      {"Lpt9", "Lpt9_"},
      {"AUX.a.b", "AUX_.a.b"},
      {"prn *", "prn _"},  // trailing spaces aside
      {"nul:", "nul_"},    // reserved once the colon is gone
      {"COM10", "COM10"},
      {"COM0", "COM0"},
      {"NULL", "NULL"},
      {".NUL", ".NUL"},
      {"CONSOLE.txt", "CONSOLE.txt"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.text);
    EXPECT_EQ(CleanFileName(row.text), row.name);
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
