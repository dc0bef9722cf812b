#include "base/file_system_service.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "base/cp1252.h"
#include "platform/file_name_encoding.h"
#include "platform/native_separator.h"
#include "support/checks.h"
#include "support/temp_folder.h"

namespace routix::base {
namespace {

namespace fs = std::filesystem;
using testing::Contains;
using testing::ErrorOf;
using testing::ReadFileBytes;
using testing::TempFolder;
using testing::WriteFileBytes;

TEST(FileSystemService, LineCountIsTheNumberOfLineBreaks) {
  TempFolder folder;
  FileSystemService files;
  struct Row {
    const char* bytes;
    int64_t count;
  } rows[] = {{"", 0}, {"a\r\nb\r\nc\r\n", 3}, {"a\r\nb\r\nc", 2}, {"a\nb\n", 2}, {"a\rb\r", 0}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.bytes);
    WriteFileBytes(folder.Path("m.asc"), row.bytes);
    EXPECT_EQ(files.LineCount(folder.Path("m.asc")), row.count);
  }
  EXPECT_TRUE(Contains(ErrorOf([&] { files.LineCount(folder.Path("none.asc")); }), "none.asc"));
  EXPECT_FALSE(files.FileExists(folder.Path("none.asc")));  // counting does not create it
}

TEST(FileSystemService, TextFilesAreCreatedEmptiedAndAppendedTo) {
  TempFolder folder;
  FileSystemService files;
  std::string path = folder.Path("Report.err");
  files.OpenTextFileForAppending(path).Close();
  EXPECT_EQ(ReadFileBytes(path), "");  // created empty, though nothing was written
  for (const char* line : {"one", "two"}) {
    TextWriter append = files.OpenTextFileForAppending(path);
    append.WriteLine(line);
    append.Close();
  }
  EXPECT_EQ(ReadFileBytes(path), "one\r\ntwo\r\n");
  files.CreateTextFile(path).Close();
  EXPECT_TRUE(files.OpenTextFileForReading(path).AtEndOfStream());
}

TEST(FileSystemService, ExistenceTestsTellFilesFromFoldersAndNeverFail) {
  TempFolder folder;
  FileSystemService files;
  WriteFileBytes(folder.Path("a.dat"), "x");
  EXPECT_TRUE(files.FileExists(folder.Path("a.dat")));
  EXPECT_FALSE(files.FolderExists(folder.Path("a.dat")));
  EXPECT_TRUE(files.FolderExists(folder.path().string()));
  EXPECT_FALSE(files.FileExists(folder.path().string()));
  EXPECT_FALSE(files.FileExists(""));
  EXPECT_FALSE(files.FolderExists(folder.Path("a.dat/below")));
}

TEST(FileSystemService, CopyFolderCopiesRecursivelyAndOverwrites) {
  TempFolder folder;
  FileSystemService files;
  fs::create_directories(folder.path() / "src" / "TMP");
  WriteFileBytes(folder.path() / "src" / "db2asc.exe", "new");
  WriteFileBytes(folder.path() / "src" / "TMP" / "t.txt", "deep");
  fs::create_directories(folder.path() / "PRO");
  WriteFileBytes(folder.path() / "PRO" / "db2asc.exe", "old and longer");
  WriteFileBytes(folder.path() / "PRO" / "keep.txt", "kept");

  files.CopyFolder(folder.Path("src"), folder.Path("PRO"));
  EXPECT_EQ(ReadFileBytes(folder.path() / "PRO" / "db2asc.exe"), "new");
  EXPECT_EQ(ReadFileBytes(folder.path() / "PRO" / "TMP" / "t.txt"), "deep");
  EXPECT_EQ(ReadFileBytes(folder.path() / "PRO" / "keep.txt"), "kept");

  files.CopyFolder(folder.Path("src"), folder.Path("fresh"));  // created when missing
  EXPECT_EQ(ReadFileBytes(folder.path() / "fresh" / "TMP" / "t.txt"), "deep");

  files.CopyFolder(folder.Path("PRO"), folder.Path("PRO"));  // onto itself: nothing is lost
  EXPECT_EQ(ReadFileBytes(folder.path() / "PRO" / "db2asc.exe"), "new");

  EXPECT_TRUE(Contains(ErrorOf([&] { files.CopyFolder(folder.Path("none"), folder.Path("x")); }),
                       folder.Path("none")));
}

TEST(FileSystemService, ANameFromWindows1252TextIsOneFileToEveryCall) {
  TempFolder folder;
  FileSystemService files;
  // Bytes where Windows-1252 and Latin-1 part ways, in the form the platform names files.
  const std::string name = LocalTextFromAnsi("Zone \x80\x8A\xE9.shp");
  const std::string source = folder.Path("src"), copy = folder.Path("copy");
  const std::string path = source + platform::kNativeSeparator + name;
  files.CreateFolder(source);
  files.CreateTextFile(path).Close();

  EXPECT_TRUE(files.FileExists(path));
  EXPECT_EQ(files.FirstMatch(source + platform::kNativeSeparator + "zone*"), name);
  files.CopyFolder(source, copy);
  EXPECT_TRUE(files.FileExists(copy + platform::kNativeSeparator + name));
  files.DeleteFile(path);
  EXPECT_FALSE(files.FileExists(path));
  files.DeleteMatches(copy + platform::kNativeSeparator + "*.shp");
  EXPECT_EQ(files.FirstMatch(copy + platform::kNativeSeparator + "*"), "");
}

TEST(FileSystemService, DeleteFileRefusesAReadOnlyOrMissingFile) {
  TempFolder folder;
  FileSystemService files;
  std::string path = folder.Path("Report.err");
  WriteFileBytes(path, "x");
  fs::permissions(path, fs::perms::owner_read);
  std::string error = ErrorOf([&] { files.DeleteFile(path); });
  EXPECT_TRUE(Contains(error, path));
  EXPECT_TRUE(Contains(error, "read-only"));
  EXPECT_TRUE(files.FileExists(path));

  fs::permissions(path, fs::perms::owner_write, fs::perm_options::add);
  files.DeleteFile(path);
  EXPECT_FALSE(files.FileExists(path));
  EXPECT_NE(ErrorOf([&] { files.DeleteFile(path); }), testing::kNoError);
}

TEST(FileSystemService, WildcardsMatchWithinOneFolderWithoutRegardToCase) {
  TempFolder folder;
  FileSystemService files;
  fs::create_directories(folder.path() / "GEO" / "sub.taf");
  for (const char* name : {"a.taf", "B.TAF", "c.tafx", "d.ta", "sub.taf/deep.taf"}) {
    WriteFileBytes(folder.path() / "GEO" / name, "x");
  }
  std::string pattern = folder.Path("GEO") + platform::kNativeSeparator + "*.taf";

  EXPECT_NE(files.FirstMatch(pattern), "");
  files.DeleteMatches(pattern);
  EXPECT_EQ(files.FirstMatch(pattern), "");
  EXPECT_FALSE(fs::exists(folder.path() / "GEO" / "B.TAF"));
  EXPECT_TRUE(fs::exists(folder.path() / "GEO" / "c.tafx"));
  EXPECT_TRUE(fs::exists(folder.path() / "GEO" / "d.ta"));
  EXPECT_TRUE(fs::exists(folder.path() / "GEO" / "sub.taf" / "deep.taf"));

  EXPECT_EQ(files.FirstMatch(folder.Path("NONE") + platform::kNativeSeparator + "*.taf"), "");
  files.DeleteMatches(folder.Path("NONE") + platform::kNativeSeparator + "*.taf");
}

TEST(FileSystemService, DeleteFilesOfBaseTakesTheNameLiterally) {
  TempFolder folder;
  FileSystemService files;
  // Windows refuses ? and * in a file name; elsewhere they are ordinary characters.
  const std::string stem = platform::kFileNamesIgnoreCase ? "Bnd_r_a_" : "Bnd_r?a*";
  struct Row {
    std::string name;
    bool deleted;
  } rows[] = {{stem + ".shp", true},    {stem + ".shp.xml", true}, {"Bnd_roads.shp", false},
              {"Bnd_rXaYZ.shp", false}, {stem + "2.shp", false},   {stem, false}};
  for (const Row& row : rows) WriteFileBytes(folder.path() / row.name, "x");
  files.DeleteFilesOfBase(folder.Path(stem));
  for (const Row& row : rows)
    EXPECT_EQ(fs::exists(folder.path() / row.name), !row.deleted) << row.name;
  files.DeleteFilesOfBase(folder.Path("NONE") + platform::kNativeSeparator + "x");
}

TEST(MatchesWildcard, StarAndQuestionMarkWithoutRegardToCase) {
  struct Row {
    const char* name;
    const char* pattern;
    bool match;
  } rows[] = {{"bnd_ROADS.cpg", "Bnd_roads.*", true},
              {"Bnd_roads", "Bnd_roads.*", false},
              {"Bnd_roadsX.shp", "Bnd_roads.*", false},
              {"a.taf", "?.taf", true},
              {"ab.taf", "?.taf", false},
              {"", "*", true},
              {"a.b.c", "*.*.c", true},
              {"aXbYc", "a*b*c", true},
              {"aXbY", "a*b*c", false}};
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string(row.name) + " ~ " + row.pattern);
    EXPECT_EQ(MatchesWildcard(row.name, row.pattern), row.match);
  }
}

}  // namespace
}  // namespace routix::base
