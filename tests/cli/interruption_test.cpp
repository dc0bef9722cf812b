// A run of routix2shp killed at any rename of its commit (strace's fault injection) leaves
// every name that was in the folder, and the next run into the folder completes the commit:
// from the second rename on, which puts the journal in place, the new files are there whole,
// and no temporary is left.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>

#include "support/command.h"
#include "support/sample_server.h"
#include "support/temp_folder.h"

namespace routix::cli {
namespace {

namespace fs = std::filesystem;
using Files = std::map<std::string, std::string>;

TEST(Interruption, AKillAtAnyRenameOfTheCommitLeavesEveryNameAndTheNextRunCompletesIt) {
  if (testing::RunCommand("strace -V").exit_status != 0) GTEST_SKIP() << "no strace here";
  testing::TempFolder folder;
  const fs::path out = folder.path() / "out";
  auto run = [&](const std::string& command) {
    return testing::RunCommand("cd " + testing::ShellQuote(folder.path().string()) +
                               " && PATH=" ROUTIX_PROGRAM_FOLDER ":$PATH && " + command)
        .exit_status;
  };
  // The files in out but those of the run after the kill.
  auto files = [&] {
    Files found;
    for (const fs::directory_entry& entry : fs::directory_iterator(out)) {
      const std::string name = entry.path().filename().string();
      if (!name.starts_with("other.")) found[name] = testing::ReadFileBytes(entry.path());
    }
    return found;
  };
  testing::MakeSampleServer(folder.path() / "Server",
                            {.segments = 500, .seed = 3, .exports = true});
  for (const std::string arguments :
       {"streets Server out/roads.shp --no-export", "boundaries Server out/roads.shp",
        "boundaries Server out/roads.shp --per-boundary --select 1-4"}) {
    SCOPED_TRACE(arguments);
    fs::remove_all(out);
    ASSERT_EQ(run("mkdir out && routix2shp " + arguments), 0);
    const Files fresh = files();
    for (int rename = 1;; ++rename) {
      SCOPED_TRACE("killed at rename " + std::to_string(rename));
      ASSERT_LT(rename, 100);
      fs::remove_all(out);
      fs::create_directories(out);
      for (const auto& [name, bytes] : fresh) testing::WriteFileBytes(out / name, "earlier");
      const Files earlier = files();
      // LeakSanitizer cannot work under strace's ptrace.
      const int killed =
          run("ASAN_OPTIONS=detect_leaks=0 strace -f -o /dev/null -e trace=rename "
              "-e inject=rename:signal=KILL:when=" +
              std::to_string(rename) + " routix2shp " + arguments + " --overwrite");
      if (killed == 0) break;  // the run has no more renames
      ASSERT_EQ(killed, 128 + 9);
      for (const auto& [name, bytes] : earlier) EXPECT_TRUE(files().contains(name)) << name;
      ASSERT_EQ(run("routix2shp streets Server out/other.shp --no-export --overwrite --quiet"), 0);
      EXPECT_EQ(files(), rename > 1 ? fresh : earlier);
    }
  }
}

}  // namespace
}  // namespace routix::cli
