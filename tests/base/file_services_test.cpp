// The file services over the in-memory file system, and the staged files that put a run's
// outputs in place all at once; the machine's own file system is tested in tests/platform.
#include <gtest/gtest.h>

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

// The path with native separators; Windows refuses ? and * in a file name, so there they are _.
std::string Named(std::string path) {
  for (char& c : path) c = kFileNamesIgnoreCase && (c == '?' || c == '*') ? '_' : c;
  return Native(path);
}

// The rows of group in base/folders.tsv, by their native paths.
Files Group(const std::string& group) {
  Files files;
  for (const testing::Case& row : testing::ReadCases("base/folders.tsv"))
    if (row[0] == group) files[Named(row[1])] = row[2];
  return files;
}

class FileServicesTest : public ::testing::Test {
 protected:
  FileServicesTest() { Write(Group("earlier")); }
  void Write(const Files& files) {
    for (const auto& [path, bytes] : files)
      bytes == "<folder>" ? memory_.CreateFolders(path) : memory_.WriteFile(path, bytes);
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
  // Fails each call of step in turn until it passes: each failure names path, changes nothing.
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
  sweep(testing::Fault::kShortWrite, path, [&] {
    files_.ReplaceTextFile(path, std::vector<std::string>{"one", "two"});
  });
  EXPECT_EQ(memory_.Snapshot(Native("/PRO")), (Files{{path, "one\r\ntwo\r\n"}}));  // no temporary

  Write(Group("copied from"));
  sweep(testing::Fault::kError, "", [&] { files_.CopyFolder(Native("/src"), Native("/PRO")); });
  memory_.WriteFile(Native("/src/TMP/t.txt"), "deep");
  files_.CopyFolder(Native("/src"), Native("/PRO"));
  EXPECT_EQ(memory_.Snapshot(Native("/PRO")), Group("copied"));
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
  Write(Group("matched"));
  files_.DeleteMatches(Native("/GEO/*.taf"));
  EXPECT_EQ(files_.FirstMatch(Native("/GEO/*.taf")), "");
  EXPECT_EQ(memory_.Snapshot(Native("/GEO")), Group("left"));
  EXPECT_EQ(files_.FirstMatch(Native("/NONE/*.taf")), "");
}

// The set's base holds ? and *, which a file base takes literally. That a failed run leaves the
// folder as it was is swept over whole runs in tests/app.
TEST_F(FileServicesTest, NothingChangesBeforeTheCommitAndTheCommitChangesAllAtOnce) {
  const Files before = OutFiles();
  const std::string base = Named("/out/Bnd_r?a*");
  StagedFiles staged(files_);
  for (const std::string ending : {".shp", ".dbf"}) {
    OutputFile file = staged.Create(base + ending);
    file.Append("new" + ending);
    file.Close();
  }
  staged.RemoveFilesOfBaseOnCommit(base);
  for (const auto& [path, bytes] : OutFiles()) {
    // Temporaries have short names of their own, which no pattern of the set matches.
    EXPECT_TRUE(before.contains(path)
                    ? bytes == before.at(path)
                    : path.starts_with(Out("~routix2shp-")) && path.size() - Out("").size() < 24u)
        << path;
  }
  EXPECT_EQ(OutFiles().size(), before.size() + 2);
  staged.Commit();
  EXPECT_EQ(OutFiles(), Group("committed"));
}

TEST_F(FileServicesTest, AFolderAReadOnlyFileOrAnInputIsRefusedWhenItIsNamed) {
  memory_.CreateFolders(Out("roads.shp"));
  memory_.WriteFile(Out("Report.err"), "old");
  memory_.SetReadOnly(Out("Report.err"), true);
  memory_.Link(Out("roads.dbf"), Native("/DYN/Rxybnd.dat"));
  const Files before = OutFiles();
  for (const auto& row : Group("refused")) {
    StagedFiles staged(files_, {Native("/DYN/Rxybnd.dat")});
    for (const std::string& error : {ErrorOf([&] { staged.Create(row.first); }),
                                     ErrorOf([&] { staged.RemoveOnCommit(row.first); })})
      EXPECT_TRUE(Contains(error, "Cannot replace " + row.first + ": " + Native(row.second)));
  }
  EXPECT_EQ(OutFiles(), before);
}

// A journal that names a file of another folder is no journal: the repair leaves the file. It
// removes only this program's leftovers, not a name like one with other than digits.
TEST_F(FileServicesTest, AJournalNamingAFileOfAnotherFolderIsIgnored) {
  memory_.WriteFile(Out("~routix2shp-1a.tmp"), "a user's");
  memory_.WriteFile(Out("~routix2shp-12.old"), "a leftover");
  { const DestinationLock repair(memory_, Native("/out")); }
  EXPECT_EQ(memory_.Bytes(Out("~routix2shp-1a.tmp")), "a user's");
  EXPECT_FALSE(memory_.StatusOf(Out("~routix2shp-12.old")).has_value());
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
