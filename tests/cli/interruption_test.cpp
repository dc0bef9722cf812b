// Interrupted runs of routix2shp over an earlier set: Ctrl-C (SIGINT) and the termination
// signal stop a run that is writing, with status 130 or 143 and a message, the earlier set as
// it was and no temporary left; kill -9 at any moment leaves the earlier set as it was or the
// new one whole, and never keeps the next run out; a second run into a folder another run is
// writing refuses.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <map>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "sample_data/sample_streets.h"
#include "sample_data/street_data.h"
#include "support/checks.h"
#include "support/command.h"
#include "support/temp_folder.h"

namespace routix::cli {
namespace {

namespace fs = std::filesystem;
using Files = std::map<std::string, std::string>;
using Clock = std::chrono::steady_clock;

// Large enough that a run writes for a good while.
constexpr int64_t kSegments = 30'000;

class InterruptionTest : public ::testing::Test {
 protected:
  InterruptionTest() {
    fs::create_directories(root() / "Server" / "GEO");
    fs::create_directories(root() / "Server" / "DYN");
    fs::create_directories(root() / "out");
    sample::WriteSampleStreets((root() / "Server" / "GEO").string(), kSegments, 3);
    for (const sample::StreetDataFile& file : sample::kStreetDataFiles) {
      fs::copy_file(root() / "Server" / "GEO" / file.data_name,
                    root() / "Server" / "DYN" / file.export_name);
    }
    for (const char* ending : {".shp", ".shx", ".dbf", ".cpg"}) {
      testing::WriteFileBytes(root() / "out" / ("roads" + std::string(ending)),
                              std::string("earlier roads") + ending);
    }
    earlier_ = OutFiles();
  }

  const fs::path& root() const { return folder_.path(); }

  // Starts routix2shp streets into out/name, its output into log.
  pid_t Start(const std::string& name) const {
    const std::string program = ROUTIX_PROGRAM_FOLDER "/routix2shp";
    const std::string log = (root() / "log").string(), out = "out/" + name;
    const pid_t child = fork();
    if (child == 0) {
      const int fd = open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
      if (fd < 0 || chdir(root().c_str()) != 0) _exit(127);
      dup2(fd, STDOUT_FILENO);
      dup2(fd, STDERR_FILENO);
      execl(program.c_str(), program.c_str(), "streets", "Server", out.c_str(), "--no-export",
            "--overwrite", "--quiet", static_cast<char*>(nullptr));
      _exit(127);
    }
    return child;
  }
  // The exit status, or 128 and the signal that ended it.
  static int Wait(pid_t child) {
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  }
  std::string Log() const { return testing::ReadFileBytes(root() / "log"); }

  // Waits until a temporary of the run is in out/: then it is writing.
  bool WaitUntilWriting() const {
    for (auto start = Clock::now(); Clock::now() - start < std::chrono::seconds(60);) {
      for (const fs::directory_entry& entry : fs::directory_iterator(root() / "out")) {
        if (entry.path().filename().string().ends_with(".tmp")) return true;
      }
      std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    return false;
  }

  // The files in out/ whose names start with prefix, by name.
  Files OutFiles(const std::string& prefix = "") const {
    Files files;
    for (const fs::directory_entry& entry : fs::directory_iterator(root() / "out")) {
      const std::string name = entry.path().filename().string();
      if (name.starts_with(prefix)) files[name] = testing::ReadFileBytes(entry.path());
    }
    return files;
  }
  // The files of the set roads alone, temporaries and the lock of a killed run aside.
  Files RoadsFiles() const { return OutFiles("roads."); }

  testing::TempFolder folder_;
  Files earlier_;
};

TEST_F(InterruptionTest, AnInterruptStopsTheRunWithTheEarlierSetAndNoTemporaryLeft) {
  for (int signal_number : {SIGINT, SIGTERM}) {
    SCOPED_TRACE(signal_number);
    const pid_t child = Start("roads.shp");
    ASSERT_TRUE(WaitUntilWriting());
    kill(child, signal_number);
    EXPECT_EQ(Wait(child), 128 + signal_number);  // 130 or 143, as a shell reports them
    EXPECT_EQ(Log(), "routix2shp: Interrupted: no output was replaced.\n");
    EXPECT_EQ(OutFiles(), earlier_);
  }
}

TEST_F(InterruptionTest, KillingARunAtAnyMomentLeavesTheEarlierSetOrTheNewOneWhole) {
  // The new set, and how long a whole run takes.
  auto start = Clock::now();
  ASSERT_EQ(Wait(Start("new.shp")), 0) << Log();
  const auto whole_run = Clock::now() - start;
  Files new_set;
  for (const char* ending : {".shp", ".shx", ".dbf", ".cpg"}) {
    new_set[std::string("roads") + ending] =
        testing::ReadFileBytes(root() / "out" / (std::string("new") + ending));
    fs::remove(root() / "out" / (std::string("new") + ending));
  }

  std::mt19937 random(20261206);
  std::uniform_int_distribution<int64_t> moment(
      0, std::chrono::duration_cast<std::chrono::microseconds>(whole_run).count());
  int kept = 0, replaced = 0;
  for (int kill_number = 0; kill_number < 12; ++kill_number) {
    const pid_t child = Start("roads.shp");
    const int64_t after = moment(random);
    std::this_thread::sleep_for(std::chrono::microseconds(after));
    kill(child, SIGKILL);
    Wait(child);
    const Files roads = RoadsFiles();
    SCOPED_TRACE("killed after " + std::to_string(after) + " us");
    if (roads == earlier_) {
      ++kept;
    } else {
      EXPECT_EQ(roads, new_set);
      ++replaced;
      for (const auto& [name, bytes] : earlier_)
        testing::WriteFileBytes(root() / "out" / name, bytes);
    }
  }
  EXPECT_GT(kept, 0);
  // What killed runs leave (temporaries, the lock file) keeps no later run out.
  ASSERT_EQ(Wait(Start("roads.shp")), 0) << Log();
  EXPECT_EQ(RoadsFiles(), new_set);
}

TEST_F(InterruptionTest, ASecondRunIntoAFolderAnotherRunIsWritingRefuses) {
  const pid_t first = Start("roads.shp");
  ASSERT_TRUE(WaitUntilWriting());
  testing::CommandResult second =
      testing::RunCommand("cd " + testing::ShellQuote(root().string()) + " && " +
                          testing::ShellQuote(ROUTIX_PROGRAM_FOLDER "/routix2shp") +
                          " streets Server out/other.shp --no-export");
  EXPECT_EQ(second.exit_status, 1);
  EXPECT_EQ(second.output, "routix2shp: Cannot write into " + (root() / "out").string() +
                               ": another run of routix2shp is writing there.\n");
  EXPECT_EQ(Wait(first), 0) << Log();
  EXPECT_FALSE(fs::exists(root() / "out" / "other.shp"));
  EXPECT_NE(RoadsFiles(), earlier_);
  EXPECT_EQ(OutFiles().size(), 4u);  // the new set alone: the lock went with the run
}

}  // namespace
}  // namespace routix::cli
