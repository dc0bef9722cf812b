#include "shapefile/pad_field.h"

#include <gtest/gtest.h>

#include <string>

#include "support/case_table.h"

namespace routix::shapefile {
namespace {

TEST(PadField, TextAndNumbersAreTrimmedAlignedAndCut) {
  for (const testing::Case& row : testing::ReadCases("shapefile/pad_fields.tsv")) {
    const auto width = static_cast<int16_t>(std::stoi(row[1]));
    EXPECT_EQ(PadField(row[0], width, std::stoi(row[2])), row[3]) << row.where;
  }
}

TEST(IsNumber, SignDigitsOnePointAndAnExponent) {
  for (const testing::Case& row : testing::ReadCases("shapefile/numbers.tsv")) {
    EXPECT_EQ(IsNumber(row[0]), row[1] == "1") << row.where;
  }
}

}  // namespace
}  // namespace routix::shapefile
