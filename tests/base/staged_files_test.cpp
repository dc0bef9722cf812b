#include "base/staged_files.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "base/destination_lock.h"
#include "base/file_system_service.h"
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
// What a failure at any step of a run leaves is swept in tests/app/fault_sweep_test.cpp.
class StagedFilesTest : public ::testing::Test {
 protected:
  StagedFilesTest() {
    memory_.WriteFile(Out("Bnd_zones.shp"), "old shp");
    memory_.WriteFile(Out("Bnd_zones.dbf"), "old dbf");
    memory_.WriteFile(Out("Bnd_zones.prj"), "old prj");
    memory_.WriteFile(Out("notes.txt"), "kept");
    memory_.WriteFile(Native("/DYN/Rxybnd.dat"), "input");
  }
  static std::string Out(const std::string& name) { return Native("/out/") + name; }
  Files OutFiles() const { return memory_.Snapshot(Native("/out")); }

  // Stages a new .shp and .dbf, and the removal of every Bnd_zones.* file.
  void Stage(StagedFiles& staged) {
    for (const char* ending : {".shp", ".dbf"}) {
      OutputFile file = staged.Create(Out("Bnd_zones") + ending);
      file.Append(std::string("new") + ending);
      file.Close();
    }
    staged.RemoveFilesOfBaseOnCommit(Out("Bnd_zones"));
  }

  testing::MemoryFileSystem memory_;
  FileSystemService files_{memory_};
};

TEST_F(StagedFilesTest, NothingChangesBeforeTheCommitAndTheCommitChangesAllAtOnce) {
  const Files before = OutFiles();
  {
    StagedFiles staged(files_);
    Stage(staged);
    Files during = OutFiles();
    EXPECT_EQ(during.size(), before.size() + 2);
    for (const auto& [path, bytes] : before) EXPECT_EQ(during[path], bytes) << path;
    for (const auto& [path, bytes] : during) {
      // Temporaries have short names of their own, which no pattern of Bnd_zones matches.
      if (!before.contains(path)) {
        EXPECT_TRUE(Contains(path, Out("~routix2shp-")));
        EXPECT_LT(path.size() - Out("").size(), 24u);
      }
    }
    staged.Commit();
  }
  EXPECT_EQ(OutFiles(), (Files{{Out("Bnd_zones.dbf"), "new.dbf"},
                               {Out("Bnd_zones.shp"), "new.shp"},
                               {Out("notes.txt"), "kept"}}));
}

TEST_F(StagedFilesTest, WithoutTheCommitTheTemporariesGoAndTheEarlierFilesStay) {
  const Files before = OutFiles();
  {
    StagedFiles staged(files_);
    Stage(staged);
    staged.RemoveOnCommit(Out("notes.txt"));
  }
  EXPECT_EQ(OutFiles(), before);
}

TEST_F(StagedFilesTest, AFolderAReadOnlyFileOrAnInputIsRefusedWhenItIsNamed) {
  memory_.CreateFolders(Out("roads.shp"));
  memory_.WriteFile(Out("Report.err"), "old");
  memory_.SetReadOnly(Out("Report.err"), true);
  memory_.Link(Out("roads.dbf"), Native("/DYN/Rxybnd.dat"));
  const Files before = OutFiles();
  struct Row {
    std::string path;
    std::string reason;
  } rows[] = {
      {Out("roads.shp"), "Is a directory"},
      {Out("Report.err"), "the file is read-only"},
      {Out("roads.dbf"), "it is " + Native("/DYN/Rxybnd.dat") + ", which this run reads"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.path);
    StagedFiles staged(files_, {Native("/DYN/Rxybnd.dat")});
    const std::string created = ErrorOf([&] { staged.Create(row.path); });
    const std::string removed = ErrorOf([&] { staged.RemoveOnCommit(row.path); });
    for (const std::string& error : {created, removed}) {
      EXPECT_TRUE(Contains(error, "Cannot replace " + row.path + ": " + row.reason));
    }
  }
  EXPECT_EQ(OutFiles(), before);
}

TEST_F(StagedFilesTest, AKilledCommitOfManySetsLeavesEveryNameAndTheNextRunCompletesIt) {
  constexpr int kSets = 300;
  auto name = [](int set, const char* ending) { return Out("set" + std::to_string(set) + ending); };
  for (int set = 0; set < kSets; set += 2) memory_.WriteFile(name(set, ".shp"), "earlier");
  memory_.WriteFile(name(0, ".qix"), "earlier index");
  // Stages a .shp and a .dbf for each set, and the removal of its index.
  auto commit = [&](base::FileSystem& files) {
    const FileSystemService service(files);
    StagedFiles staged(service, {}, Native("/out"));
    for (int set = 0; set < kSets; ++set) {
      for (const char* ending : {".shp", ".dbf"}) {
        OutputFile file = staged.Create(name(set, ending));
        file.Append("new");
        file.Close();
      }
      staged.RemoveOnCommit(name(set, ".qix"));
    }
    staged.Commit();
  };
  testing::MemoryFileSystem clean = memory_;
  testing::FaultInjectingFileSystem counted(clean);
  commit(counted);
  for (int64_t stop = 1; stop <= counted.name_changes(); stop += 97) {
    SCOPED_TRACE(stop);
    testing::MemoryFileSystem memory = memory_;
    testing::FaultInjectingFileSystem faults(memory);
    faults.StopAtNameChange(stop);
    ErrorOf([&] { commit(faults); });
    // Every earlier file keeps a name, and at most one set holds new files beside earlier ones.
    int mixed = 0;
    for (int set = 0; set < kSets; set += 2) {
      ASSERT_TRUE(memory.StatusOf(name(set, ".shp")).has_value());
      const bool new_shp = memory.Bytes(name(set, ".shp")) == "new";
      mixed += new_shp != memory.StatusOf(name(set, ".dbf")).has_value();
    }
    EXPECT_LE(mixed, 1);
    { const DestinationLock repair(memory, Native("/out")); }
    Files repaired = memory.Snapshot(Native("/out"));
    EXPECT_EQ(repaired, stop > 1 ? clean.Snapshot(Native("/out")) : OutFiles());
  }
  // A journal that names a file of another folder is no journal: the repair leaves the file.
  memory_.WriteFile(Out(Native("sub/kept")), "kept");
  const std::string outside = Native("sub/kept") + '\0';
  for (const std::string& entry : {"D" + outside, "M" + outside + "set0.shp" + '\0'}) {
    memory_.WriteFile(Out("~routix2shp.journal"), "routix2shp commit\n" + entry + "end\n");
    { const DestinationLock repair(memory_, Native("/out")); }
    EXPECT_EQ(memory_.Bytes(Out(Native("sub/kept"))), "kept");
  }
  const auto held = memory_.Lock(Out(".routix2shp.lock"));
  EXPECT_EQ(ErrorOf([&] { DestinationLock second(memory_, Native("/out")); }),
            "Another routix2shp run is writing into " + Native("/out") + ".");
}

// A write as large as the whole buffer, after a flush, waits in the buffer like a small one.
TEST(OutputFile, AWriteOfExactlyTheBufferWaitsInItUntilTheClose) {
  testing::MemoryFileSystem memory;
  testing::FaultInjectingFileSystem counted(memory);
  OutputFile file(counted, "o.bin");
  file.Append("a");
  file.Append(std::string(OutputFile::kBufferBytes, 'b'));
  const int64_t calls = counted.calls();  // the create and the flush of "a"
  file.WriteAt(1, "c", 1);
  EXPECT_EQ(counted.calls(), calls);
  file.Close();
  EXPECT_EQ(memory.Bytes("o.bin"), "ac" + std::string(OutputFile::kBufferBytes - 1, 'b'));
}

}  // namespace
}  // namespace routix::base
