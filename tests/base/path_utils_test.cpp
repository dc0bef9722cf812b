#include "base/path_utils.h"

#include <gtest/gtest.h>

#include <string>

namespace routix::base {
namespace {

struct PathRow {
  std::string path;
  std::string normalized;
  std::string folder;
  std::string file_name;
};

// The rules on Windows paths, with backslashes; the network path keeps its leading pair.
const PathRow kBackslashRows[] = {
    {R"(C:\out\roads.shp)", R"(C:\out\roads.shp)", R"(C:\out)", "roads.shp"},
    {R"(C:\srv\\DYN\\Rxybnd.dat)", R"(C:\srv\DYN\Rxybnd.dat)", R"(C:\srv\\DYN\)", "Rxybnd.dat"},
    {R"(C:\out\sub\)", R"(C:\out\sub\)", R"(C:\out\)", "sub"},
    {R"(C:\roads.shp)", R"(C:\roads.shp)", "C:", "roads.shp"},
    {R"(C:\)", R"(C:\)", "", "C:"},
    {R"(\roads.shp)", R"(\roads.shp)", "", "roads.shp"},
    {"roads.shp", "roads.shp", "", "roads.shp"},
    {R"(a\\\b)", R"(a\b)", R"(a\\)", "b"},
    {"   ", "", "", "   "},
    {R"( \ )", "", " ", " "},
    {"", "", "", ""},
    {R"(\\server\share\x)", R"(\\server\share\x)", R"(\\server\share)", "x"},
    {R"(\\\server\\share)", R"(\\server\share)", R"(\\\server\)", "share"},
    {R"(  C:\srv\\data\  )", R"(  C:\srv\data\  )", R"(  C:\srv\\data)", "  "},
};

// The three operations on path, through the default separator where separator is the
// platform's own, so that each platform runs its table as the callers do.
PathRow Split(const std::string& path, char separator) {
  if (separator == kNativeSeparator) {
    return {path, NormalizePath(path), FolderOfPath(path), FileNameOfPath(path)};
  }
  return {path, NormalizePath(path, separator), FolderOfPath(path, separator),
          FileNameOfPath(path, separator)};
}

TEST(PathUtils, WorkedTableWithBackslashes) {
  for (const PathRow& row : kBackslashRows) {
    SCOPED_TRACE(row.path);
    PathRow split = Split(row.path, '\\');
    EXPECT_EQ(split.normalized, row.normalized);
    EXPECT_EQ(split.folder, row.folder);
    EXPECT_EQ(split.file_name, row.file_name);
  }
}

std::string Slashed(std::string text) {
  for (char& c : text) {
    if (c == '\\') c = '/';
  }
  return text;
}

TEST(PathUtils, WorkedTableWithSlashesCollapsesEveryRunIncludingALeadingPair) {
  for (const PathRow& row : kBackslashRows) {
    std::string path = Slashed(row.path);
    SCOPED_TRACE(path);
    std::string normalized = Slashed(row.normalized);
    if (path.rfind("//", 0) == 0) normalized.erase(0, 1);  // no network pair with slashes
    PathRow split = Split(path, '/');
    EXPECT_EQ(split.normalized, normalized);
    EXPECT_EQ(split.folder, Slashed(row.folder));
    EXPECT_EQ(split.file_name, Slashed(row.file_name));
  }
}

TEST(PathUtils, TheOtherSlashIsOrdinaryAndALeadingPairStaysOnlyBeforeAName) {
  EXPECT_EQ(NormalizePath(R"(C:/out//a\\b)", '\\'), R"(C:/out//a\b)");
  EXPECT_EQ(FileNameOfPath("/srv/a\\b", '/'), "a\\b");
  EXPECT_EQ(NormalizePath("/home//x\\\\y", '/'), "/home/x\\\\y");
  EXPECT_EQ(NormalizePath(R"(\\)", '\\'), R"(\)");
  EXPECT_EQ(NormalizePath(R"(\\\\)", '\\'), R"(\)");
  EXPECT_EQ(NormalizePath(R"( \\server)", '\\'), R"( \server)");
}

TEST(PathUtils, NativeSeparatorsTurnsALiteralIntoThePlatformsForm) {
  const char s = kNativeSeparator;
  EXPECT_EQ(NativeSeparators(R"(\DYN\Rxybnd.dat)"), std::string(1, s) + "DYN" + s + "Rxybnd.dat");
}

}  // namespace
}  // namespace routix::base
