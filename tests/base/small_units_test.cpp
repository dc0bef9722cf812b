// The base layer's small units: the functions of text alone, each run over its table of
// cases, and the progress bar's bounds.
#include <gtest/gtest.h>

#include <string>

#include "base/cp1252.h"
#include "base/path_utils.h"
#include "base/progress_sink.h"
#include "base/system_paths.h"
#include "support/case_table.h"

namespace routix::base {
namespace {

TEST(Cp1252ToUtf8, DecodesEveryByteToOneCharacter) {
  for (const testing::Case& row : testing::ReadCases("base/cp1252.tsv")) {
    EXPECT_EQ(Cp1252ToUtf8(row[0]), row[1]) << row.where;
  }
}

std::string Backslashed(std::string text) {
  for (char& c : text) c = c == '/' ? '\\' : c;
  return text;
}

// Each platform runs the rules through the default separator where it is its own, as callers do.
TEST(PathUtils, NormalizeFolderAndFileNameWithEitherSeparator) {
  for (const char separator : {'/', '\\'}) {
    const bool native = separator == kNativeSeparator;
    for (const testing::Case& row : testing::ReadCases("base/path_rules.tsv")) {
      auto as = [&](const std::string& text) {
        return separator == '/' ? text : Backslashed(text);
      };
      const std::string path = as(row[0]);
      std::string normalized = as(row[1]);
      if (separator == '/' && path.starts_with("//")) normalized.erase(0, 1);  // no network pair
      SCOPED_TRACE(row.where + " " + path);
      EXPECT_EQ(native ? NormalizePath(path) : NormalizePath(path, separator), normalized);
      EXPECT_EQ(native ? FolderOfPath(path) : FolderOfPath(path, separator), as(row[2]));
      EXPECT_EQ(native ? FileNameOfPath(path) : FileNameOfPath(path, separator), as(row[3]));
    }
  }
  for (const testing::Case& row : testing::ReadCases("base/path_one_separator.tsv")) {
    const char separator = row[1][0];
    EXPECT_EQ(
        row[0] == "name" ? FileNameOfPath(row[2], separator) : NormalizePath(row[2], separator),
        row[3])
        << row.where;
  }
  const char s = kNativeSeparator;
  EXPECT_EQ(NativeSeparators(R"(\DYN\Rxybnd.dat)"), std::string(1, s) + "DYN" + s + "Rxybnd.dat");
}

TEST(ProgressSink, ValueStaysWithinZeroAndTheMaximumAndAMaximumBelowOneIsIgnored) {
  ProgressSink bar;
  bar.SetMaximum(3);
  for (int i = 0; i < 5; ++i) bar.AddOne();
  EXPECT_EQ(bar.value(), 3);
  bar.SetValue(-4);
  EXPECT_EQ(bar.value(), 0);
  bar.SetValue(9);
  EXPECT_EQ(bar.value(), 3);
  bar.SetMaximum(2);  // a smaller maximum pulls the value down with it
  bar.SetMaximum(0);
  bar.SetMaximum(-1);
  EXPECT_EQ(bar.maximum(), 2);
  EXPECT_EQ(bar.value(), 2);
}

}  // namespace
}  // namespace routix::base
