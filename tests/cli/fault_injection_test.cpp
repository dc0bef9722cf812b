// Output and input that fail under routix2shp: a full disk, a folder that refuses writes, an
// input that cannot be read, a folder where a file belongs, a Report.err that is read-only.
// Each run must end with status 1 and a message naming the file and the reason, print no
// line that claims success, and change nothing on disk but the set it was writing.
//
// A full disk is a child under a small RLIMIT_FSIZE with SIGXFSZ ignored, so that a write
// fails with EFBIG. Permission bits do not stop root, so a run that must be refused by them
// runs as the unprivileged user nobody when the tests run as root, from a copy of the
// program in the test's folder, which nobody can reach whatever the build folder's rights.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <map>
#include <set>
#include <string>

#include "sample_data/sample_boundaries.h"
#include "sample_data/sample_streets.h"
#include "sample_data/street_data.h"
#include "support/checks.h"
#include "support/command.h"
#include "support/shapefile_reader.h"
#include "support/temp_folder.h"

namespace routix::cli {
namespace {

namespace fs = std::filesystem;
using testing::CommandResult;
using testing::ReadFileBytes;
using testing::WriteFileBytes;

struct ChildLimits {
  int file_blocks = 0;        // the largest file the child may write, in 512-byte blocks
  bool unprivileged = false;  // run as nobody when the tests run as root
};

// Every file and folder under root with its bytes ("folder" for a folder).
using Snapshot = std::map<std::string, std::string>;

Snapshot TakeSnapshot(const fs::path& root) {
  Snapshot snapshot;
  for (const fs::directory_entry& entry : fs::recursive_directory_iterator(root)) {
    snapshot[entry.path().string()] =
        entry.is_directory() ? std::string("folder") : ReadFileBytes(entry.path());
  }
  return snapshot;
}

// A Server folder with its exports already in DYN and the boundary files, and an output
// folder with a file and a set of another name that no run may touch.
class Rig {
 public:
  explicit Rig(int64_t segments) {
    fs::create_directories(root() / "Server" / "GEO");
    fs::create_directories(root() / "Server" / "DYN");
    fs::create_directories(root() / "out");
    testing::TempFolder geo;
    sample::WriteSampleStreets(geo.path().string(), segments, 3);
    for (const sample::StreetDataFile& file : sample::kStreetDataFiles) {
      fs::copy_file(geo.path() / file.data_name, root() / "Server" / "DYN" / file.export_name);
    }
    sample::WriteSampleBoundaries((root() / "Server" / "DYN").string(), 3);
    WriteFileBytes(root() / "out" / "notes.txt", "kept");
    WriteFileBytes(root() / "out" / "other.shp", "another set");
  }

  const fs::path& root() const { return root_.path(); }
  std::string Path(const std::string& relative) const { return root_.Path(relative); }

  // Runs routix2shp in the rig's folder with the arguments, its output and errors joined.
  CommandResult Run(const std::string& arguments, const ChildLimits& limits = {}) {
    std::string program = ROUTIX_PROGRAM_FOLDER "/routix2shp",
                shell = "cd " + testing::ShellQuote(Path("")) + " && ";
    if (limits.file_blocks > 0) {
      shell += "trap '' XFSZ && ulimit -f " + std::to_string(limits.file_blocks) + " && ";
    }
    shell += "exec ";
    if (limits.unprivileged && geteuid() == 0) {
      program = Path("routix2shp");
      fs::copy_file(ROUTIX_PROGRAM_FOLDER "/routix2shp", program, fs::copy_options::skip_existing);
      shell += "setpriv --reuid=65534 --regid=65534 --clear-groups ";  // the user nobody
    }
    return testing::RunCommand(shell + testing::ShellQuote(program) + " " + arguments);
  }

 private:
  testing::TempFolder root_;
};

// Status 1, the message names the file and says why, and no line claims success.
void ExpectRefused(const CommandResult& result, const std::string& file,
                   const std::string& reason) {
  EXPECT_EQ(result.exit_status, 1) << result.output;
  EXPECT_TRUE(testing::Contains(result.output, file));
  EXPECT_TRUE(testing::Contains(result.output, reason));
  for (const char* success : {"Wrote", "inished"}) {
    EXPECT_FALSE(testing::Contains(result.output, success));
  }
}

// Only the paths in changed may differ between the snapshots.
void ExpectOnlyChanged(const Snapshot& before, const Snapshot& after,
                       const std::set<std::string>& changed) {
  std::set<std::string> paths;
  for (const auto& [path, bytes] : before) paths.insert(path);
  for (const auto& [path, bytes] : after) paths.insert(path);
  for (const std::string& path : paths) {
    if (changed.count(path) != 0) continue;
    auto was = before.find(path), is = after.find(path);
    EXPECT_TRUE(was != before.end() && is != after.end() && was->second == is->second)
        << path << " was touched";
  }
}

// The files of the set at base, for ExpectOnlyChanged.
std::set<std::string> SetFiles(const std::string& base) {
  return {base + ".shp", base + ".shx", base + ".dbf", base + ".cpg"};
}

TEST(FaultInjection, AFullDiskInTheMiddleOfTheStreetsLeavesASetThatMatchesItsHeaders) {
  Rig rig(20'000);  // a .dbf of 3.8 MB, written in 1 MiB pieces
  const Snapshot before = TakeSnapshot(rig.root());
  ExpectRefused(rig.Run("streets Server out/roads.shp --no-export", {.file_blocks = 2930}),
                rig.Path("out/roads."), "File too large");
  ExpectOnlyChanged(before, TakeSnapshot(rig.root()), SetFiles(rig.Path("out/roads")));
  EXPECT_LT(testing::ReadShapefileSet(rig.Path("out/roads")).records.size(), 20'000u);
}

TEST(FaultInjection, AFullDiskDuringTheBoundariesLeavesASetThatMatchesItsHeaders) {
  Rig rig(100);
  const Snapshot before = TakeSnapshot(rig.root());
  ExpectRefused(rig.Run("boundaries Server out/zones.shp", {.file_blocks = 39}),
                rig.Path("out/Bnd_zones."), "File too large");
  std::set<std::string> changed = SetFiles(rig.Path("out/Bnd_zones"));
  changed.insert(rig.Path("out/Report.err"));
  ExpectOnlyChanged(before, TakeSnapshot(rig.root()), changed);
  testing::ReadShapefileSet(rig.Path("out/Bnd_zones"));
}

TEST(FaultInjection, AFolderThatRefusesWritesIsNamedAndNothingIsWritten) {
  Rig rig(100);
  fs::permissions(rig.root() / "out",
                  fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
  const Snapshot before = TakeSnapshot(rig.root());
  struct Row {
    std::string arguments;
    std::string file;
  } rows[] = {
      {"streets Server out/roads.shp --no-export", "out/roads.shp"},
      {"boundaries Server out/zones.shp", "out/Bnd_zones.shp"},
      {"boundaries Server out/zones.shp --per-boundary", "out/County frame.shp"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.file);
    ExpectRefused(rig.Run(row.arguments, {.unprivileged = true}), rig.Path(row.file),
                  "Permission denied");
    ExpectOnlyChanged(before, TakeSnapshot(rig.root()), {rig.Path("routix2shp")});
  }
}

TEST(FaultInjection, AnInputThatCannotBeReadIsNamedBeforeTheOutputIsTouched) {
  struct Row {
    std::string input;  // in Server/DYN
    bool folder;        // a folder in its place, else a file without read rights
    std::string arguments;
    std::string reason;
  } rows[] = {
      {"Mapfil.asc", false, "streets Server out/roads.shp --no-export --overwrite",
       "Permission denied"},
      {"Second.asc", true, "streets Server out/roads.shp --no-export --overwrite",
       "Is a directory"},
      {"Rxybnd.dat", false, "boundaries Server out/roads.shp", "Permission denied"},
      {"Rxybxt.dat", false, "boundaries Server out/roads.shp --per-boundary", "Permission denied"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.input);
    Rig rig(100);
    const fs::path input = rig.root() / "Server" / "DYN" / row.input;
    if (row.folder) {
      fs::remove(input);
      fs::create_directory(input);
    } else {
      fs::permissions(input, fs::perms::none);
    }
    WriteFileBytes(rig.root() / "out" / "roads.shp", "an earlier set");
    WriteFileBytes(rig.root() / "out" / "Bnd_roads.shp", "an earlier set");
    const Snapshot before = TakeSnapshot(rig.root());
    ExpectRefused(rig.Run(row.arguments, {.unprivileged = !row.folder}), input.string(),
                  row.reason);
    ExpectOnlyChanged(before, TakeSnapshot(rig.root()), {rig.Path("routix2shp")});
  }
}

TEST(FaultInjection, ADestinationThatIsAFolderIsNamedAndLeftAsItWas) {
  Rig rig(100);
  fs::create_directories(rig.root() / "out" / "roads.shp");
  fs::create_directories(rig.root() / "out" / "Bnd_zones.shp");
  const Snapshot before = TakeSnapshot(rig.root());
  ExpectRefused(rig.Run("streets Server out/roads.shp --no-export"), rig.Path("out/roads.shp"),
                "Is a directory");
  ExpectRefused(rig.Run("boundaries Server out/zones.shp"), rig.Path("out/Bnd_zones.shp"),
                "Is a directory");
  ExpectOnlyChanged(before, TakeSnapshot(rig.root()), {});
}

TEST(FaultInjection, AReadOnlyReportErrStopsTheBoundariesBeforeAnySetIsWritten) {
  Rig rig(100);
  WriteFileBytes(rig.root() / "out" / "Report.err", "an earlier run's lines\r\n");
  fs::permissions(rig.root() / "out" / "Report.err", fs::perms::owner_read);
  const Snapshot before = TakeSnapshot(rig.root());
  for (const char* mode : {"--polyline", "--per-boundary"}) {
    SCOPED_TRACE(mode);
    ExpectRefused(rig.Run(std::string("boundaries Server out/zones.shp ") + mode),
                  rig.Path("out/Report.err"), "read-only");
    ExpectOnlyChanged(before, TakeSnapshot(rig.root()), {});
  }
}

}  // namespace
}  // namespace routix::cli
