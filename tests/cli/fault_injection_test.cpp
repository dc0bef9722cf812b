// Output and input that fail under routix2shp: a full disk, a folder that refuses writes, an
// input that cannot be read, a folder where a file belongs, a Report.err that is read-only.
// Each run must end with status 1 and a message naming the file and the reason, print no
// line that claims success, and change nothing on disk but the set it was writing.
//
// A full disk is a child under a small RLIMIT_FSIZE with SIGXFSZ ignored, so that a write
// fails with EFBIG. Permission bits do not stop root, so a run that must be refused by them
// runs as the unprivileged user nobody when the tests run as root, from a copy of the
// program in the test's folder, which nobody can reach whatever the build folder's rights.
#include <grp.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "sample_data/sample_boundaries.h"
#include "sample_data/sample_streets.h"
#include "sample_data/street_data.h"
#include "support/command.h"
#include "support/shapefile_reader.h"
#include "support/temp_folder.h"

namespace routix::cli {
namespace {

namespace fs = std::filesystem;
using testing::CommandResult;
using testing::ReadFileBytes;
using testing::WriteFileBytes;

constexpr uid_t kNobody = 65534;  // the user and group nobody, which own nothing

struct ChildLimits {
  rlim_t file_bytes = RLIM_INFINITY;  // the largest file the child may write
  bool unprivileged = false;          // run as nobody when the tests run as root
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
  CommandResult Run(const std::vector<std::string>& arguments, const ChildLimits& limits = {}) {
    std::string program = std::string(ROUTIX_BUILD_FOLDER) + "/routix2shp";
    const bool drop = limits.unprivileged && geteuid() == 0;
    if (drop) {
      program = Path("routix2shp");
      fs::copy_file(ROUTIX_BUILD_FOLDER "/routix2shp", program, fs::copy_options::skip_existing);
    }
    std::vector<std::string> words = arguments;
    std::vector<char*> argv{program.data()};
    for (std::string& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);

    int ends[2];
    if (pipe(ends) != 0) return {};
    const pid_t child = fork();
    if (child == 0) {
      dup2(ends[1], STDOUT_FILENO);
      dup2(ends[1], STDERR_FILENO);
      close(ends[0]);
      close(ends[1]);
      signal(SIGXFSZ, SIG_IGN);
      const rlimit limit{limits.file_bytes, limits.file_bytes};
      if (chdir(root().c_str()) != 0 || setrlimit(RLIMIT_FSIZE, &limit) != 0) _exit(126);
      if (drop && (setgroups(0, nullptr) != 0 || setgid(kNobody) != 0 || setuid(kNobody) != 0)) {
        _exit(126);
      }
      execv(program.c_str(), argv.data());
      _exit(127);
    }
    close(ends[1]);
    CommandResult result;
    char chunk[4096];
    for (ssize_t got; (got = read(ends[0], chunk, sizeof chunk)) > 0;) {
      result.output.append(chunk, static_cast<size_t>(got));
    }
    close(ends[0]);
    int status = 0;
    waitpid(child, &status, 0);
    result.exit_status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
  }

 private:
  testing::TempFolder root_;
};

// Status 1, the message names the file and says why, and no line claims success.
void ExpectRefused(const CommandResult& result, const std::string& file,
                   const std::string& reason) {
  EXPECT_EQ(result.exit_status, 1) << result.output;
  EXPECT_NE(result.output.find(file), std::string::npos) << result.output;
  EXPECT_NE(result.output.find(reason), std::string::npos) << result.output;
  EXPECT_EQ(result.output.find("Wrote"), std::string::npos) << result.output;
  EXPECT_EQ(result.output.find("inished"), std::string::npos) << result.output;
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
  CommandResult result =
      rig.Run({"streets", "Server", "out/roads.shp", "--no-export"}, {.file_bytes = 1'500'000});
  ExpectRefused(result, rig.Path("out/roads."), "File too large");
  ExpectOnlyChanged(before, TakeSnapshot(rig.root()), SetFiles(rig.Path("out/roads")));
  testing::ReadSet partial = testing::ReadShapefileSet(rig.Path("out/roads"));
  EXPECT_LT(partial.records.size(), 20'000u);
}

TEST(FaultInjection, AFullDiskDuringTheBoundariesLeavesASetThatMatchesItsHeaders) {
  Rig rig(100);
  const Snapshot before = TakeSnapshot(rig.root());
  CommandResult result = rig.Run({"boundaries", "Server", "out/zones.shp"}, {.file_bytes = 20'000});
  ExpectRefused(result, rig.Path("out/Bnd_zones."), "File too large");
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
    std::vector<std::string> arguments;
    std::string file;
  } rows[] = {
      {{"streets", "Server", "out/roads.shp", "--no-export"}, "out/roads.shp"},
      {{"boundaries", "Server", "out/zones.shp"}, "out/Bnd_zones.shp"},
      {{"boundaries", "Server", "out/zones.shp", "--per-boundary"}, "out/County frame.shp"},
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
    std::vector<std::string> arguments;
    std::string reason;
  } rows[] = {
      {"Mapfil.asc",
       false,
       {"streets", "Server", "out/roads.shp", "--no-export", "--overwrite"},
       "Permission denied"},
      {"Second.asc",
       true,
       {"streets", "Server", "out/roads.shp", "--no-export", "--overwrite"},
       "Is a directory"},
      {"Rxybnd.dat", false, {"boundaries", "Server", "out/roads.shp"}, "Permission denied"},
      {"Rxybxt.dat",
       false,
       {"boundaries", "Server", "out/roads.shp", "--per-boundary"},
       "Permission denied"},
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
  ExpectRefused(rig.Run({"streets", "Server", "out/roads.shp", "--no-export"}),
                rig.Path("out/roads.shp"), "Is a directory");
  ExpectRefused(rig.Run({"boundaries", "Server", "out/zones.shp"}), rig.Path("out/Bnd_zones.shp"),
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
    ExpectRefused(rig.Run({"boundaries", "Server", "out/zones.shp", mode}),
                  rig.Path("out/Report.err"), "read-only");
    ExpectOnlyChanged(before, TakeSnapshot(rig.root()), {});
  }
}

}  // namespace
}  // namespace routix::cli
