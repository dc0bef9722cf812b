// Interrupted runs of routix2shp over an earlier set: Ctrl-C (SIGINT) and the termination
// signal stop a run that is writing, with status 130 or 143 and a message, the earlier set as
// it was and no temporary left; kill -9 at any moment leaves the earlier set as it was or the
// new one whole, and never keeps the next run out, nor another user's; a kill before any
// rename of a commit (strace's fault injection) leaves every name, and the next run into the
// folder completes the commit; a second run into a folder another run is writing refuses.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <map>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "platform/native_file_system.h"
#include "sample_data/sample_boundaries.h"
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

  // Runs routix2shp with the arguments in root(), after prefix (another command that runs it).
  testing::CommandResult Tool(const std::string& arguments, const std::string& prefix = "") {
    return testing::RunCommand("cd " + testing::ShellQuote(root().string()) + " && " + prefix +
                               testing::ShellQuote(ROUTIX_PROGRAM_FOLDER "/routix2shp") + " " +
                               arguments + " 2>&1");
  }
  // Makes out/ hold files and nothing else.
  void ResetOut(const Files& files) const {
    fs::remove_all(root() / "out");
    fs::create_directories(root() / "out");
    for (const auto& [name, bytes] : files) testing::WriteFileBytes(root() / "out" / name, bytes);
  }

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

TEST_F(InterruptionTest, AKillAtAnyRenameOfTheCommitLeavesEveryNameAndTheNextRunCompletesIt) {
  if (testing::RunCommand("strace -V").exit_status != 0) GTEST_SKIP() << "no strace here";
  sample::WriteSampleBoundaries((root() / "Server" / "DYN").string(), 3);
  // The run after the kill writes another set; Report.err is every boundary run's.
  const std::string next = "boundaries Server out/other.shp --overwrite --quiet";
  auto but_the_next_runs = [](Files files) {
    std::erase_if(files, [](const auto& file) {
      return file.first.starts_with("Bnd_other.") || file.first == "Report.err";
    });
    return files;
  };
  for (const char* arguments :
       {"streets Server out/roads.shp --no-export --overwrite --quiet",
        "boundaries Server out/roads.shp --overwrite --quiet",
        "boundaries Server out/roads.shp --per-boundary --select 1-4 --overwrite"}) {
    SCOPED_TRACE(arguments);
    ResetOut(earlier_);
    ASSERT_EQ(Tool(arguments).exit_status, 0);
    const Files fresh = OutFiles();
    Files earlier = earlier_;
    for (const auto& [name, bytes] : fresh) earlier.emplace(name, "earlier " + name);
    for (int rename = 1;; ++rename) {
      SCOPED_TRACE("killed at rename " + std::to_string(rename));
      ASSERT_LT(rename, 100);
      ResetOut(earlier);
      // LeakSanitizer cannot work under strace's ptrace.
      const testing::CommandResult killed =
          Tool(arguments,
               "ASAN_OPTIONS=detect_leaks=0 strace -f -o /dev/null -e trace=rename "
               "-e inject=rename:signal=KILL:when=" +
                   std::to_string(rename) + " ");
      if (killed.exit_status == 0) break;  // the run has no more renames
      ASSERT_EQ(killed.exit_status, 128 + SIGKILL) << killed.output;
      const Files left = OutFiles();
      for (const auto& [name, bytes] : earlier) EXPECT_TRUE(left.contains(name)) << name;
      ASSERT_EQ(Tool(next).exit_status, 0);
      // The first rename puts the journal in place: the commit is under way from the second.
      EXPECT_EQ(but_the_next_runs(OutFiles()), but_the_next_runs(rename > 1 ? fresh : earlier));
      for (const auto& [name, bytes] : OutFiles()) EXPECT_FALSE(name.starts_with("~")) << name;
    }
  }
}

TEST_F(InterruptionTest, AKilledRunKeepsNoOtherUserOutAndAHeldFolderSaysSo) {
  if (geteuid() != 0 || testing::RunCommand("setpriv --version").exit_status != 0) {
    GTEST_SKIP() << "running as another user needs root and setpriv";
  }
  const std::string other_user = "setpriv --reuid=65534 --regid=65534 --clear-groups ";
  // A group-shared folder where a run with a private umask was killed.
  fs::permissions(root(), fs::perms::all);
  fs::permissions(root() / "out", fs::perms::all);
  const mode_t umask_before = umask(077);
  const pid_t killed = Start("roads.shp");
  umask(umask_before);
  ASSERT_TRUE(WaitUntilWriting());
  kill(killed, SIGKILL);
  Wait(killed);
  EXPECT_EQ(fs::status(root() / "out" / ".routix2shp.lock").permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                fs::perms::others_read);
  const testing::CommandResult next =
      Tool("streets Server out/roads.shp --no-export --overwrite --quiet", other_user);
  EXPECT_EQ(next.exit_status, 0) << next.output;
  for (const auto& [name, bytes] : OutFiles()) EXPECT_FALSE(name.starts_with("~")) << name;

  platform::NativeFileSystem files;
  const std::unique_ptr<base::FileLock> held =
      files.Lock((root() / "out" / ".routix2shp.lock").string());
  ASSERT_NE(held, nullptr);
  const testing::CommandResult refused =
      Tool("streets Server out/other.shp --no-export", other_user);
  EXPECT_EQ(refused.exit_status, 1);
  EXPECT_EQ(refused.output, "routix2shp: Another routix2shp run is writing into " +
                                (root() / "out").string() + ".\n");
}

TEST_F(InterruptionTest, ASecondRunIntoAFolderAnotherRunIsWritingRefuses) {
  const pid_t first = Start("roads.shp");
  ASSERT_TRUE(WaitUntilWriting());
  testing::CommandResult second =
      testing::RunCommand("cd " + testing::ShellQuote(root().string()) + " && " +
                          testing::ShellQuote(ROUTIX_PROGRAM_FOLDER "/routix2shp") +
                          " streets Server out/other.shp --no-export");
  EXPECT_EQ(second.exit_status, 1);
  EXPECT_EQ(second.output, "routix2shp: Another routix2shp run is writing into " +
                               (root() / "out").string() + ".\n");
  EXPECT_EQ(Wait(first), 0) << Log();
  EXPECT_FALSE(fs::exists(root() / "out" / "other.shp"));
  EXPECT_NE(RoadsFiles(), earlier_);
  EXPECT_EQ(OutFiles().size(), 4u);  // the new set alone: the lock went with the run
}

}  // namespace
}  // namespace routix::cli
