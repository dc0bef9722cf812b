#include "base/cp1252.h"

#include <gtest/gtest.h>

#include <string>

namespace routix::base {
namespace {

TEST(Cp1252ToUtf8, DecodesEveryByteToOneCharacter) {
  struct Row {
    std::string ansi;
    std::string utf8;
  } rows[] = {
      {"North 7_.-", "North 7_.-"},
      {std::string("\x00\x7F", 2), std::string("\x00\x7F", 2)},
      {"\x80", "\xE2\x82\xAC"},                          // euro sign
      {"\x99\x9F\x8A", "\xE2\x84\xA2\xC5\xB8\xC5\xA0"},  // trade mark, Y and S with marks
      {"\x81\x8D\x8F\x90\x9D", "\xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D"},  // undefined: kept
      {"\xA0\xDC\xFC\xFF", "\xC2\xA0\xC3\x9C\xC3\xBC\xC3\xBF"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.utf8);
    EXPECT_EQ(Cp1252ToUtf8(row.ansi), row.utf8);
  }
}

}  // namespace
}  // namespace routix::base
