#include "base/path_utils.h"

#include <gtest/gtest.h>

#include <string>

#include "support/case_table.h"

namespace routix::base {
namespace {

std::string Backslashed(std::string text) {
  for (char& c : text) c = c == '/' ? '\\' : c;
  return text;
}

// Each platform runs the rules through the default separator where it is its own, as callers do.
TEST(PathUtils, NormalizeFolderAndFileNameWithEitherSeparator) {
  for (const char separator : {'/', '\\'}) {
    for (const testing::Case& row : testing::ReadCases("base/path_rules.tsv")) {
      auto as = [&](const std::string& text) {
        return separator == '/' ? text : Backslashed(text);
      };
      const std::string path = as(row[0]);
      std::string normalized = as(row[1]);
      if (separator == '/' && path.starts_with("//")) normalized.erase(0, 1);  // no network pair
      SCOPED_TRACE(row.where + " " + path);
      if (separator == kNativeSeparator) {
        EXPECT_EQ(NormalizePath(path), normalized);
        EXPECT_EQ(FolderOfPath(path), as(row[2]));
        EXPECT_EQ(FileNameOfPath(path), as(row[3]));
      } else {
        EXPECT_EQ(NormalizePath(path, separator), normalized);
        EXPECT_EQ(FolderOfPath(path, separator), as(row[2]));
        EXPECT_EQ(FileNameOfPath(path, separator), as(row[3]));
      }
    }
  }
}

TEST(PathUtils, TheOtherSlashIsOrdinaryAndALeadingPairStaysOnlyBeforeAName) {
  EXPECT_EQ(NormalizePath(R"(C:/out//a\\b)", '\\'), R"(C:/out//a\b)");
  EXPECT_EQ(FileNameOfPath("/srv/a\\b", '/'), "a\\b");
  EXPECT_EQ(NormalizePath("/home//x\\\\y", '/'), "/home/x\\\\y");
  EXPECT_EQ(NormalizePath(R"(\\)", '\\'), R"(\)");
  EXPECT_EQ(NormalizePath(R"(\\\\)", '\\'), R"(\)");
  EXPECT_EQ(NormalizePath(R"( \\server)", '\\'), R"( \server)");
  const char s = kNativeSeparator;
  EXPECT_EQ(NativeSeparators(R"(\DYN\Rxybnd.dat)"), std::string(1, s) + "DYN" + s + "Rxybnd.dat");
}

}  // namespace
}  // namespace routix::base
