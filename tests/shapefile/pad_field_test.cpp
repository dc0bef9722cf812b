#include "shapefile/pad_field.h"

#include <gtest/gtest.h>

#include <string>

namespace routix::shapefile {
namespace {

TEST(PadField, TextAndNumbersAreTrimmedAlignedAndCut) {
  struct Row {
    std::string value;
    int16_t width;
    int32_t kind;
    std::string padded;
  } rows[] = {
      {"abc", 2, kPadNumber, " 0"},
      {"123456", 4, kPadNumber, "3456"},
      {"Main Street", 4, kPadText, "Main"},
      {"      ", 3, kPadNumber, "  0"},
      {"", 3, kPadText, "   "},
      {"  x  ", 3, kPadText, "x  "},
      {"-1.5e+3", 8, kPadNumber, " -1.5e+3"},
      {"12 34", 6, kPadNumber, "     0"},  // inner spaces make it text
      {"7", 1, 2, "7"},                    // every kind but 1 is numeric
  };
  for (const Row& row : rows) {
    SCOPED_TRACE("'" + row.value + "'");
    EXPECT_EQ(PadField(row.value, row.width, row.kind), row.padded);
  }
}

TEST(IsNumber, SignDigitsOnePointAndAnExponent) {
  for (const char* number : {"0", "-7", "+7", "1.", ".5", "1.5", "1e5", "1E-05", "-0.0e+0"}) {
    EXPECT_TRUE(IsNumber(number)) << number;
  }
  for (const char* other : {"", "-", ".", "1.2.3", "e5", "1e", "1e+", "1x", "0x10", " 1", "1,5"}) {
    EXPECT_FALSE(IsNumber(other)) << other;
  }
}

}  // namespace
}  // namespace routix::shapefile
