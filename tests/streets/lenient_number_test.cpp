#include "streets/lenient_number.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <string>

#include "support/case_table.h"

namespace routix::streets {
namespace {

TEST(ReadLenientNumber, SkipsBlanksAndStopsAtTheFirstOtherCharacter) {
  for (const testing::Case& row : testing::ReadCases("streets/lenient_numbers.tsv")) {
    EXPECT_EQ(ReadLenientNumber(row[0]), std::stod(row[1])) << row.where;
  }
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
