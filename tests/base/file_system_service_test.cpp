// The file-system service over the in-memory file system; what the machine's own file system
// adds (names in the ANSI code page, rights, links) is tested in tests/platform.
#include "base/file_system_service.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "platform/file_name_encoding.h"
#include "platform/native_separator.h"
#include "support/case_table.h"
#include "support/checks.h"
#include "support/fault_injection.h"
#include "support/memory_file_system.h"

namespace routix::base {
namespace {

using testing::Contains;
using testing::ErrorOf;
using testing::MemoryFileSystem;

const auto P = testing::Native;

TEST(FileSystemService, LineCountIsTheNumberOfLineBreaks) {
  MemoryFileSystem memory;
  FileSystemService files(memory);
  for (const testing::Case& row : testing::ReadCases("base/line_counts.tsv")) {
    memory.WriteFile(P("/d/m.asc"), row[0]);
    EXPECT_EQ(files.LineCount(P("/d/m.asc")), std::stoi(row[1])) << row.where;
  }
  EXPECT_TRUE(Contains(ErrorOf([&] { files.LineCount(P("/d/none.asc")); }), P("/d/none.asc")));
  EXPECT_FALSE(files.FileExists(P("/d/none.asc")));  // counting does not create it
}

TEST(FileSystemService, ReplaceTextFileReplacesTheWholeFileOrNothing) {
  MemoryFileSystem memory;
  testing::FaultInjectingFileSystem faults(memory);
  FileSystemService files(faults);
  const std::string path = P("/PRO/g.cfg");
  memory.WriteFile(path, "old\r\n");
  const std::vector<std::string> lines = {"one", "two"};
  files.ReplaceTextFile(path, lines);
  EXPECT_EQ(memory.Bytes(path), "one\r\ntwo\r\n");
  EXPECT_EQ(memory.Snapshot(P("/PRO")).size(), 1u);  // no temporary left

  const auto before = memory.Snapshot(P("/PRO"));
  for (int64_t call = 1;; ++call) {
    faults.FailCall(call, testing::Fault::kShortWrite);
    const std::string error = ErrorOf([&] { files.ReplaceTextFile(path, {{"three"}}); });
    if (error == testing::kNoError) break;
    SCOPED_TRACE(faults.failed_call());
    EXPECT_TRUE(Contains(error, path));
    EXPECT_EQ(memory.Snapshot(P("/PRO")), before);
  }
  EXPECT_EQ(memory.Bytes(path), "three\r\n");
}

TEST(FileSystemService, ExistenceTestsTellFilesFromFoldersAndNeverFail) {
  MemoryFileSystem memory;
  FileSystemService files(memory);
  memory.WriteFile(P("/d/a.dat"), "x");
  EXPECT_TRUE(files.FileExists(P("/d/a.dat")));
  EXPECT_FALSE(files.FolderExists(P("/d/a.dat")));
  EXPECT_TRUE(files.FolderExists(P("/d")));
  EXPECT_FALSE(files.FileExists(P("/d")));
  EXPECT_FALSE(files.FileExists(""));
  EXPECT_FALSE(files.FolderExists(P("/d/a.dat/below")));
  EXPECT_EQ(files.StampOf(P("/d/a.dat"))->size, 1u);
  EXPECT_FALSE(files.StampOf(P("/d")).has_value());
}

TEST(FileSystemService, CopyFolderCopiesRecursivelyAndReplacesFilesOfTheSameName) {
  MemoryFileSystem memory;
  FileSystemService files(memory);
  memory.WriteFile(P("/src/db2asc.exe"), "new");
  memory.WriteFile(P("/src/TMP/t.txt"), "deep");
  memory.WriteFile(P("/PRO/db2asc.exe"), "old and longer");
  memory.WriteFile(P("/PRO/keep.txt"), "kept");

  files.CopyFolder(P("/src"), P("/PRO"));
  EXPECT_EQ(memory.Snapshot(P("/PRO")),
            (std::map<std::string, std::string>{{P("/PRO/TMP"), "<folder>"},
                                                {P("/PRO/TMP/t.txt"), "deep"},
                                                {P("/PRO/db2asc.exe"), "new"},
                                                {P("/PRO/keep.txt"), "kept"}}));

  files.CopyFolder(P("/src"), P("/fresh"));  // created when missing
  EXPECT_EQ(memory.Bytes(P("/fresh/TMP/t.txt")), "deep");

  files.CopyFolder(P("/PRO"), P("/PRO"));  // onto itself: nothing is lost
  EXPECT_EQ(memory.Bytes(P("/PRO/db2asc.exe")), "new");

  EXPECT_TRUE(Contains(ErrorOf([&] { files.CopyFolder(P("/none"), P("/x")); }), P("/none")));
}

TEST(FileSystemService, ACopyThatFailsLeavesEveryFileOfTheDestinationAsItWas) {
  MemoryFileSystem memory;
  testing::FaultInjectingFileSystem faults(memory);
  FileSystemService files(faults);
  memory.WriteFile(P("/src/db2asc.exe"), "new program");
  memory.WriteFile(P("/src/lib.dll"), "new library");
  memory.WriteFile(P("/PRO/db2asc.exe"), "old program");
  memory.WriteFile(P("/PRO/lib.dll"), "old library");
  const auto before = memory.Snapshot(P("/PRO"));
  for (int64_t call = 1;; ++call) {
    faults.FailCall(call, testing::Fault::kError);
    const std::string error = ErrorOf([&] { files.CopyFolder(P("/src"), P("/PRO")); });
    if (error == testing::kNoError) break;
    SCOPED_TRACE(faults.failed_call());
    EXPECT_EQ(memory.Snapshot(P("/PRO")), before);
  }
  EXPECT_EQ(memory.Bytes(P("/PRO/lib.dll")), "new library");
  EXPECT_EQ(memory.Snapshot(P("/PRO")).size(), 2u);
}

TEST(FileSystemService, WildcardsMatchWithinOneFolderWithoutRegardToCase) {
  MemoryFileSystem memory;
  FileSystemService files(memory);
  memory.CreateFolders(P("/GEO/sub.taf"));
  for (const char* name : {"a.taf", "B.TAF", "c.tafx", "d.ta", "sub.taf/deep.taf"}) {
    memory.WriteFile(P("/GEO/") + P(name), "x");
  }
  const std::string pattern = P("/GEO/*.taf");

  EXPECT_NE(files.FirstMatch(pattern), "");
  files.DeleteMatches(pattern);
  EXPECT_EQ(files.FirstMatch(pattern), "");
  EXPECT_EQ(memory.Snapshot(P("/GEO")),
            (std::map<std::string, std::string>{{P("/GEO/c.tafx"), "x"},
                                                {P("/GEO/d.ta"), "x"},
                                                {P("/GEO/sub.taf"), "<folder>"},
                                                {P("/GEO/sub.taf/deep.taf"), "x"}}));

  EXPECT_EQ(files.FirstMatch(P("/NONE/*.taf")), "");
  files.DeleteMatches(P("/NONE/*.taf"));
}

TEST(FileSystemService, FilesOfBaseTakesTheNameLiterally) {
  MemoryFileSystem memory;
  FileSystemService files(memory);
  // Windows refuses ? and * in a file name; elsewhere they are ordinary characters.
  const std::string stem = platform::kFileNamesIgnoreCase ? "Bnd_r_a_" : "Bnd_r?a*";
  struct Row {
    std::string name;
    bool matched;
  } rows[] = {{stem + ".shp", true},    {stem + ".shp.xml", true}, {"Bnd_roads.shp", false},
              {"Bnd_rXaYZ.shp", false}, {stem + "2.shp", false},   {stem, false}};
  std::vector<std::string> expected;
  for (const Row& row : rows) {
    memory.WriteFile(P("/out/") + row.name, "x");
    if (row.matched) expected.push_back(P("/out/") + row.name);
  }
  std::vector<std::string> found = files.FilesOfBase(P("/out/") + stem);
  std::sort(found.begin(), found.end());
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(found, expected);
  EXPECT_TRUE(files.FilesOfBase(P("/NONE/x")).empty());
}

TEST(MatchesWildcard, StarAndQuestionMarkWithoutRegardToCase) {
  for (const testing::Case& row : testing::ReadCases("base/wildcards.tsv")) {
    SCOPED_TRACE(row.where);
    EXPECT_EQ(MatchesWildcard(row[0], row[1]), row[2] == "1");
  }
}

}  // namespace
}  // namespace routix::base
