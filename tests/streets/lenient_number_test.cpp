#include "streets/lenient_number.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <string>

namespace routix::streets {
namespace {

TEST(ReadLenientNumber, SkipsBlanksAndStopsAtTheFirstOtherCharacter) {
  struct Row {
    const char* column;
    double value;
  } rows[] = {
      {" 123456.78", 123456.78},
      {"312 345.67", 312345.67},
      {"- 12.5", -12.5},
      {"+7", 7},
      {"1.5e3", 1500},
      {"2E-2", 0.02},
      {"1 e 2", 100},
      {"12e", 12},
      {"12e+", 12},
      {"1.2.3", 1.2},
      {"12-3", 12},
      {"5.", 5},
      {".5", 0.5},
      {"3,5", 3},
      {"", 0},
      {"N/A", 0},
      {"+-5", 0},
      {"e5", 0},
      {"inf", 0},
      {"nan", 0},
      {"0x1A", 0},
      {"1e999", 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.column);
    EXPECT_EQ(ReadLenientNumber(row.column), row.value);
  }
}

TEST(ReadLenientNumber, ReadsNoFurtherThanTheWidestColumn) {
  EXPECT_EQ(ReadLenientNumber("12345678901234"), 1234567890);
}

// Every value must be the double that a correct decimal conversion gives, not a near one.
TEST(ReadLenientNumber, GivesTheNearestDoubleToTheDecimalText) {
  std::mt19937 random(7);
  for (int i = 0; i < 50000; ++i) {
    // Up to 10 characters, the widest column: a sign, 8 digits and a point, or fewer
    // digits and an exponent.
    const bool exponent = i % 10 == 0;
    std::string text = i % 3 == 0 ? "-" : "";
    const unsigned digits = 1 + static_cast<unsigned>(random() % (exponent ? 4 : 8));
    const unsigned point = static_cast<unsigned>(random() % (digits + 1));
    for (unsigned d = 0; d < digits; ++d) {
      if (d == point) text += '.';
      text += static_cast<char>('0' + random() % 10);
    }
    if (exponent) {
      text += 'e';
      text += std::to_string(static_cast<int>(random() % 40) - 20);
    }
    SCOPED_TRACE(text);
    ASSERT_EQ(ReadLenientNumber(text), std::strtod(text.c_str(), nullptr));
  }
}

}  // namespace
}  // namespace routix::streets
