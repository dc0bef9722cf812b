#include "base/cp1252.h"

#include <gtest/gtest.h>

#include "support/case_table.h"

namespace routix::base {
namespace {

TEST(Cp1252ToUtf8, DecodesEveryByteToOneCharacter) {
  for (const testing::Case& row : testing::ReadCases("base/cp1252.tsv")) {
    SCOPED_TRACE(row.where);
    EXPECT_EQ(Cp1252ToUtf8(row[0]), row[1]);
  }
}

}  // namespace
}  // namespace routix::base
