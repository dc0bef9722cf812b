// The writer's small units: the byte swap, field padding, the number test and the projection
// file, each over its table of cases.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "base/conversion_error.h"
#include "shapefile/byte_order.h"
#include "shapefile/pad_field.h"
#include "shapefile/projection_file.h"
#include "support/case_table.h"
#include "support/checks.h"
#include "support/memory_file_system.h"

namespace routix::shapefile {
namespace {

TEST(SwapBytes32, ReversesTheFourBytesOfEveryValue) {
  EXPECT_EQ(static_cast<uint32_t>(SwapBytes32(0x12345678)), 0x78563412u);
  EXPECT_EQ(static_cast<uint32_t>(SwapBytes32(INT32_MIN)), 0x00000080u);
  EXPECT_EQ(static_cast<uint32_t>(SwapBytes32(-2)), 0xFEFFFFFFu);
}

TEST(PadField, TextAndNumbersAreTrimmedAlignedAndCut) {
  for (const testing::Case& row : testing::ReadCases("shapefile/pad_fields.tsv")) {
    const auto width = static_cast<int16_t>(std::stoi(row[1]));
    EXPECT_EQ(PadField(row[0], width, std::stoi(row[2])), row[3]) << row.where;
  }
  for (const testing::Case& row : testing::ReadCases("shapefile/numbers.tsv")) {
    EXPECT_EQ(IsNumber(row[0]), row[1] == "1") << row.where;
  }
}

// A projection file is taken only when it is one line of WKT text, and then byte for byte.
TEST(ProjectionFile, OneLineOfWktIsTakenAsItStandsAndAnythingElseRefusedNamingTheFile) {
  const std::string path = testing::Native("/maps/routix.prj");
  testing::MemoryFileSystem files;
  EXPECT_THROW(ReadProjectionFile(files, path), base::FileError);  // a missing file
  std::vector<testing::Case> rows = testing::ReadCases("shapefile/projection_files.tsv");
  rows.push_back({"70000", {std::string(70000, 'A') + "[]", "! this one is larger than 64 KiB"}});
  for (const testing::Case& row : rows) {
    files.WriteFile(path, row[0]);
    const std::string error =
        testing::ErrorOf([&] { EXPECT_EQ(ReadProjectionFile(files, path), row[1]) << row.where; });
    const std::string refusal =
        "Cannot use " + path + ": a projection file is one line of WKT text, and ";
    if (row[1].starts_with("! ")) {
      EXPECT_TRUE(error.starts_with(refusal) && error.find(row[1].substr(2)) != error.npos)
          << error;
    } else {
      EXPECT_EQ(error, testing::kNoError) << row.where;
    }
  }
}

}  // namespace
}  // namespace routix::shapefile
