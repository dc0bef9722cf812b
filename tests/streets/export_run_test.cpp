// The Server folder made ready for the export and the export run, on the in-memory file
// system with a scripted process start, and once through the machine's own process start.
#include "streets/export_run.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "base/system_paths.h"
#include "platform/native_process_runner.h"
#include "streets/server_folder.h"
#include "support/case_table.h"
#include "support/checks.h"
#include "support/fake_services.h"
#include "support/memory_file_system.h"
#include "support/sample_server.h"
#include "support/scripted_process_runner.h"
#include "support/temp_folder.h"

namespace routix::streets {
namespace {

using testing::Native;

TEST(ExportConfigLinesAndCommandLine, NameTheSameFoldersHoweverTheServerFolderEnds) {
  for (const testing::Case& c : testing::ReadCases("streets/export_config.tsv")) {
    SCOPED_TRACE(c.where);
    const auto lines = ExportConfigLines(c[0], c[1][0]);
    EXPECT_EQ(std::vector(lines.begin(), lines.end()),
              std::vector(c.fields.begin() + 2, c.fields.end() - 1));
    EXPECT_EQ(ExportCommandLine(c[0], c[1][0]), c.fields.back());
  }
}

// Other statuses and exports, and the files of the prepared folder, are the driver's cases.
TEST(RunExportTool, RunsTheProgramInProBetweenClearingsOfTheWorkFiles) {
  testing::MemoryFileSystem memory;
  memory.WriteFile(Native("/S/GEO/stale.taf"), "x");
  memory.WriteFile(Native("/S/DYN/Mapfil.asc"), "earlier");
  testing::ScriptedProcessRunner runner;
  runner.script = [&](const auto&, const std::function<void()>& while_waiting) {
    EXPECT_FALSE(memory.StatusOf(Native("/S/GEO/stale.taf")));  // cleared before
    memory.WriteFile(Native("/S/GEO/db2asc.taf"), "work");
    memory.WriteFile(Native("/S/DYN/Mapfil.asc"), "export");
    while_waiting();
    return std::optional(0);
  };
  testing::FakeServices fake(memory, runner);
  EXPECT_TRUE(RunExportTool(Native("/S"), fake.services).succeeded());  // over an earlier export
  ASSERT_EQ(runner.calls.size(), 1u);
  EXPECT_EQ(runner.calls[0].command_line, ExportCommandLine(Native("/S")));
  EXPECT_EQ(runner.calls[0].working_folder, Native("/S/PRO"));
  EXPECT_FALSE(memory.StatusOf(Native("/S/GEO/db2asc.taf")));  // and after
  EXPECT_EQ(fake.yielder.calls + fake.yielder.waits, 2);
  // The preparation clears the work files, passes over a missing tool folder, fails on g.cfg.
  fake.services.tool_folder = Native("/none");
  memory.WriteFile(Native("/T/GEO/b.taf"), "x");
  EXPECT_TRUE(testing::Contains(
      testing::ErrorOf([&] { PrepareServerFolder(Native("/T"), fake.services); }), "g.cfg"));
  EXPECT_TRUE(memory.StatusOf(Native("/T/DYN"))->is_folder);
  EXPECT_FALSE(memory.StatusOf(Native("/T/GEO/b.taf")));
}

TEST(RunExportTool, TheStandInRunsThroughTheMachinesProcessStartWhileTheCallerWaits) {
  testing::TempFolder folder;
  const std::string server = testing::MakeSampleServer(folder.path() / "Server").string();
  testing::FakeServices fake;
  PrepareServerFolder(server, fake.services);
  const auto working_folder = std::filesystem::current_path();
  EXPECT_TRUE(RunExportTool(server, fake.services).succeeded());
  EXPECT_EQ(std::filesystem::current_path(), working_folder);
  // Windows wakes the caller only for a window message, of which a test has none; POSIX lets
  // it work between its polls, here until the caller's work lets the program end.
  EXPECT_TRUE(base::kNativeSeparator == '/' || fake.yielder.waits == 0);
  const platform::NativeProcessRunner processes;
  const std::string pro = server + Native("/PRO"), line = ExportCommandLine(server);
  if (base::kNativeSeparator == '/') {
    int waits = 0;
    const auto work = [&] { std::ofstream{pro + "/go"}, ++waits; };
    EXPECT_EQ(processes.RunAndWait("\"/bin/sh\" -c \"for i in $(seq 500); do [ -e go ] && exit 0; "
                                   "sleep 0.01; done; exit 1\"",
                                   pro, work),
              0);
    EXPECT_GT(waits, 0);
  }
  // A program that cannot start, or not in its working folder, gives no status.
  EXPECT_EQ(processes.RunAndWait("\"" + pro + "x\"", pro, [] {}), std::nullopt);
  EXPECT_EQ(processes.RunAndWait(line, pro + "x", [] {}), std::nullopt);
  EXPECT_EQ(processes.RunAndWait("", pro, [] {}), std::nullopt);
  EXPECT_EQ(processes.RunAndWait(line + "2", pro, [] {}), 1);  // the stand-in refuses "12"
}

}  // namespace
}  // namespace routix::streets
