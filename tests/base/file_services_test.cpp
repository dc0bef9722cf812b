// The file services over the in-memory file system, and the staged files that put a run's
// outputs in place all at once; the machine's own file system is tested in tests/platform.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "base/destination_lock.h"
#include "base/file_system_service.h"
#include "base/staged_files.h"
#include "base/system_paths.h"
#include "support/case_table.h"
#include "support/checks.h"
#include "support/fault_injection.h"
#include "support/memory_file_system.h"

namespace routix::base {
namespace {

using testing::Contains;
using testing::ErrorOf;
using testing::Native;
using Files = std::map<std::string, std::string>;

// An output folder with an earlier set and a file of another name in it, and DYN beside it.
class FileServicesTest : public ::testing::Test {
 protected:
  FileServicesTest() {
    for (const std::string ending : {"shp", "dbf", "prj"})
      memory_.WriteFile(Out("Bnd_zones." + ending), "old " + ending);
    memory_.WriteFile(Out("notes.txt"), "kept");
    memory_.WriteFile(Native("/DYN/Rxybnd.dat"), "input");
  }
  static std::string Out(const std::string& name) { return Native("/out/") + name; }
  Files OutFiles() const { return memory_.Snapshot(Native("/out")); }

  testing::MemoryFileSystem memory_;
  testing::FaultInjectingFileSystem faults_{memory_};
  FileSystemService files_{faults_};
};

TEST_F(FileServicesTest, LineCountsExistenceAndStamps) {
  for (const testing::Case& row : testing::ReadCases("base/line_counts.tsv")) {
    memory_.WriteFile(Native("/d/m.asc"), row[0]);
    EXPECT_EQ(files_.LineCount(Native("/d/m.asc")), std::stoi(row[1])) << row.where;
  }
  EXPECT_TRUE(Contains(ErrorOf([&] { files_.LineCount(Native("/d/none")); }), Native("/d/none")));
  for (const testing::Case& row : testing::ReadCases("base/existence.tsv")) {
    EXPECT_EQ(files_.FileExists(Native(row[0])), row[1] == "file") << row.where;
    EXPECT_EQ(files_.FolderExists(Native(row[0])), row[1] == "folder") << row.where;
  }
  EXPECT_EQ(files_.StampOf(Native("/d/m.asc"))->size, memory_.Bytes(Native("/d/m.asc")).size());
  EXPECT_FALSE(files_.StampOf(Native("/d")).has_value());
}

TEST_F(FileServicesTest, ReplacingATextFileOrCopyingAFolderChangesAllOrNothing) {
  // Fails each call of step in turn until a run of step passes: every failed run names path
  // and leaves the folder as it was.
  auto sweep = [&](testing::Fault fault, const std::string& path, auto step) {
    const Files before = memory_.Snapshot(Native("/PRO"));
    for (int64_t call = 1;; ++call) {
      faults_.FailCall(call, fault);
      const std::string error = ErrorOf(step);
      if (error == testing::kNoError) return;
      EXPECT_TRUE(Contains(error, path)) << faults_.failed_call();
      EXPECT_EQ(memory_.Snapshot(Native("/PRO")), before) << faults_.failed_call();
    }
  };
  const std::string path = Native("/PRO/g.cfg");
  memory_.WriteFile(path, "old\r\n");
  files_.ReplaceTextFile(path, std::vector<std::string>{"one", "two"});
  EXPECT_EQ(memory_.Snapshot(Native("/PRO")), (Files{{path, "one\r\ntwo\r\n"}}));  // no temporary
  sweep(testing::Fault::kShortWrite, path, [&] { files_.ReplaceTextFile(path, {{"3"}}); });
  EXPECT_EQ(memory_.Bytes(path), "3\r\n");

  memory_.WriteFile(Native("/src/g.cfg"), "new and longer");
  memory_.WriteFile(Native("/src/lib.dll"), "new library");
  memory_.WriteFile(Native("/PRO/lib.dll"), "old library");
  memory_.WriteFile(Native("/PRO/keep.txt"), "kept");
  sweep(testing::Fault::kError, "", [&] { files_.CopyFolder(Native("/src"), Native("/PRO")); });
  memory_.WriteFile(Native("/src/TMP/t.txt"), "deep");
  files_.CopyFolder(Native("/src"), Native("/PRO"));
  EXPECT_EQ(memory_.Snapshot(Native("/PRO")), (Files{{Native("/PRO/TMP"), "<folder>"},
                                                     {Native("/PRO/TMP/t.txt"), "deep"},
                                                     {path, "new and longer"},
                                                     {Native("/PRO/lib.dll"), "new library"},
                                                     {Native("/PRO/keep.txt"), "kept"}}));
  files_.CopyFolder(Native("/src"), Native("/fresh"));  // created when missing
  EXPECT_EQ(memory_.Bytes(Native("/fresh/TMP/t.txt")), "deep");
  files_.CopyFolder(Native("/PRO"), Native("/PRO"));  // onto itself: nothing is lost
  EXPECT_EQ(memory_.Bytes(path), "new and longer");
  EXPECT_TRUE(Contains(ErrorOf([&] { files_.CopyFolder(Native("/none"), Native("/x")); }),
                       Native("/none")));
}

TEST_F(FileServicesTest, WildcardsMatchFilesOfOneFolderAndAFileBaseIsTakenLiterally) {
  for (const testing::Case& row : testing::ReadCases("base/wildcards.tsv"))
    EXPECT_EQ(MatchesWildcard(row[0], row[1]), row[2] == "1") << row.where;
  memory_.CreateFolders(Native("/GEO/sub.taf"));
  for (const char* name : {"a.taf", "B.TAF", "c.tafx", "sub.taf/deep.taf"})
    memory_.WriteFile(Native("/GEO/") + Native(name), "x");
  EXPECT_NE(files_.FirstMatch(Native("/GEO/*.taf")), "");
  files_.DeleteMatches(Native("/GEO/*.taf"));
  EXPECT_EQ(files_.FirstMatch(Native("/GEO/*.taf")), "");
  EXPECT_EQ(memory_.Snapshot(Native("/GEO")).size(), 3u);  // c.tafx, the folder and what it holds
  EXPECT_EQ(files_.FirstMatch(Native("/NONE/*.taf")), "");
  files_.DeleteMatches(Native("/NONE/*.taf"));

  // Windows refuses ? and * in a file name; elsewhere they are ordinary characters.
  const std::string stem = kFileNamesIgnoreCase ? "Bnd_r_a_" : "Bnd_r?a*";
  for (const std::string& name : {stem + ".shp", stem + ".shp.xml", stem + "2.shp", stem,
                                  std::string("Bnd_roads.shp"), std::string("Bnd_rXaYZ.shp")}) {
    memory_.WriteFile(Native("/out/") + name, "x");
  }
  std::vector<std::string> found = files_.FilesOfBase(Native("/out/") + stem);
  std::sort(found.begin(), found.end());
  EXPECT_EQ(found,
            (std::vector{Native("/out/") + stem + ".shp", Native("/out/") + stem + ".shp.xml"}));
  EXPECT_TRUE(files_.FilesOfBase(Native("/NONE/x")).empty());
}

TEST_F(FileServicesTest, NothingChangesBeforeTheCommitAndTheCommitChangesAllAtOnce) {
  const Files before = OutFiles();
  // Stages a new .shp and .dbf, and the removal of every Bnd_zones.* file.
  auto stage = [&](StagedFiles& staged) {
    for (const std::string ending : {".shp", ".dbf"}) {
      OutputFile file = staged.Create(Out("Bnd_zones") + ending);
      file.Append("new" + ending);
      file.Close();
    }
    staged.RemoveFilesOfBaseOnCommit(Out("Bnd_zones"));
  };
  {
    StagedFiles staged(files_);
    stage(staged);
    staged.RemoveOnCommit(Out("notes.txt"));
  }  // without the commit the temporaries go and the earlier files stay
  EXPECT_EQ(OutFiles(), before);
  StagedFiles staged(files_);
  stage(staged);
  for (const auto& [path, bytes] : OutFiles()) {
    // Temporaries have short names of their own, which no pattern of Bnd_zones matches.
    EXPECT_TRUE(before.contains(path)
                    ? bytes == before.at(path)
                    : path.starts_with(Out("~routix2shp-")) && path.size() - Out("").size() < 24u)
        << path;
  }
  EXPECT_EQ(OutFiles().size(), before.size() + 2);
  staged.Commit();
  EXPECT_EQ(OutFiles(), (Files{{Out("Bnd_zones.dbf"), "new.dbf"},
                               {Out("Bnd_zones.shp"), "new.shp"},
                               {Out("notes.txt"), "kept"}}));
}

TEST_F(FileServicesTest, AFolderAReadOnlyFileOrAnInputIsRefusedWhenItIsNamed) {
  memory_.CreateFolders(Out("roads.shp"));
  memory_.WriteFile(Out("Report.err"), "old");
  memory_.SetReadOnly(Out("Report.err"), true);
  memory_.Link(Out("roads.dbf"), Native("/DYN/Rxybnd.dat"));
  const Files before = OutFiles();
  const std::pair<std::string, std::string> rows[] = {
      {Out("roads.shp"), "Is a directory"},
      {Out("Report.err"), "the file is read-only"},
      {Out("roads.dbf"), "it is " + Native("/DYN/Rxybnd.dat") + ", which this run reads"},
  };
  for (const auto& row : rows) {
    StagedFiles staged(files_, {Native("/DYN/Rxybnd.dat")});
    for (const std::string& error : {ErrorOf([&] { staged.Create(row.first); }),
                                     ErrorOf([&] { staged.RemoveOnCommit(row.first); })}) {
      EXPECT_TRUE(Contains(error, "Cannot replace " + row.first + ": " + row.second));
    }
  }
  EXPECT_EQ(OutFiles(), before);
}

// A commit stopped at any rename is swept over whole runs in tests/app; here, a journal that
// names a file of another folder is no journal: the repair leaves the file.
TEST_F(FileServicesTest, AJournalNamingAFileOfAnotherFolderIsIgnored) {
  memory_.WriteFile(Out(Native("sub/kept")), "kept");
  const std::string outside = Native("sub/kept") + '\0';
  for (const std::string& entry : {"D" + outside, "M" + outside + "set0.shp" + '\0'}) {
    memory_.WriteFile(Out("~routix2shp.journal"), "routix2shp commit\n" + entry + "end\n");
    { const DestinationLock repair(memory_, Native("/out")); }
    EXPECT_EQ(memory_.Bytes(Out(Native("sub/kept"))), "kept");
  }
}

// A write as large as the whole buffer, after a flush, waits in the buffer like a small one.
TEST(OutputFile, AWriteOfExactlyTheBufferWaitsInItUntilTheClose) {
  testing::MemoryFileSystem memory;
  testing::FaultInjectingFileSystem counted(memory);
  OutputFile file(counted, "o.bin");
  file.Append("a");
  file.Append(std::string(OutputFile::kBufferBytes, 'b'));
  EXPECT_EQ(counted.calls(), 2);  // the create and the flush of "a"
  file.WriteAt(1, "c", 1);
  EXPECT_EQ(counted.calls(), 2);
  file.Close();
  EXPECT_EQ(memory.Bytes("o.bin"), "ac" + std::string(OutputFile::kBufferBytes - 1, 'b'));
}

}  // namespace
}  // namespace routix::base
