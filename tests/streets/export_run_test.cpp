// The Server folder made ready for the export and the export run, on the in-memory file
// system with a scripted process start, and once through the machine's own process start.
#include "streets/export_run.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <tuple>
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

TEST(PrepareServerFolder, ClearsWorkFilesCopiesTheToolFolderAndWritesTheConfigAnew) {
  testing::MemoryFileSystem memory;
  for (const char* file :
       {"/tools/db2asc.exe", "/S/GEO/a.taf", "/S/GEO/keep.dat", "/S/PRO/g.cfg"}) {
    memory.WriteFile(Native(file), "x");
  }
  testing::FakeServices fake(memory);
  fake.services.tool_folder = Native("/tools");
  PrepareServerFolder(Native("/S/"), fake.services);
  std::string config;
  for (const std::string& line : ExportConfigLines(Native("/S"))) config += line + "\r\n";
  EXPECT_EQ(memory.Bytes(Native("/S/PRO/g.cfg")), config);
  EXPECT_EQ(memory.Bytes(Native("/S/PRO/db2asc.exe")), "x");
  EXPECT_FALSE(memory.StatusOf(Native("/S/GEO/a.taf")));
  EXPECT_TRUE(memory.StatusOf(Native("/S/GEO/keep.dat")));
  EXPECT_TRUE(memory.StatusOf(Native("/S/DYN"))->is_folder);
  fake.services.tool_folder = Native("/none");  // passed over; a config it cannot write is not
  memory.CreateFolders(Native("/T"));
  EXPECT_TRUE(testing::Contains(
      testing::ErrorOf([&] { PrepareServerFolder(Native("/T"), fake.services); }), "g.cfg"));
}

TEST(RunExportTool, RunsTheProgramInProAndSucceedsOnlyOnStatusZeroWithAFreshExport) {
  // An export there before; the program writes one; its status; the run succeeded.
  using Row = std::tuple<bool, bool, std::optional<int>, bool>;
  for (auto [earlier, writes, status, succeeded] :
       {Row{false, true, 0, true}, Row{true, true, 0, true}, Row{false, true, 3, false},
        Row{true, false, 0, false}, Row{false, false, std::nullopt, false}}) {
    SCOPED_TRACE(::testing::Message() << earlier << writes << status.value_or(-1));
    testing::MemoryFileSystem memory;
    memory.WriteFile(Native("/S/GEO/stale.taf"), "x");
    if (earlier) memory.WriteFile(Native("/S/DYN/Mapfil.asc"), "earlier");
    testing::ScriptedProcessRunner runner;
    runner.script = [&](const auto&, const std::function<void()>& while_waiting) {
      EXPECT_FALSE(memory.StatusOf(Native("/S/GEO/stale.taf")));  // cleared before
      memory.WriteFile(Native("/S/GEO/db2asc.taf"), "work");
      if (writes) memory.WriteFile(Native("/S/DYN/Mapfil.asc"), "export");
      while_waiting();
      return status;
    };
    testing::FakeServices fake(memory, runner);
    const ExportOutcome outcome = RunExportTool(Native("/S"), fake.services);
    EXPECT_EQ(outcome.succeeded(), succeeded);
    EXPECT_EQ(outcome.exit_status, status);
    ASSERT_EQ(runner.calls.size(), 1u);
    EXPECT_EQ(runner.calls[0].command_line, ExportCommandLine(Native("/S")));
    EXPECT_EQ(runner.calls[0].working_folder, Native("/S/PRO"));
    EXPECT_FALSE(memory.StatusOf(Native("/S/GEO/db2asc.taf")));  // and after
    EXPECT_EQ(fake.yielder.calls + fake.yielder.waits, 2);
  }
}

TEST(RunExportTool, TheStandInRunsThroughTheMachinesProcessStartWhileTheCallerWaits) {
  testing::TempFolder folder;
  const std::string server = testing::MakeSampleServer(folder.path() / "Server").string();
  testing::FakeServices fake;
  PrepareServerFolder(server, fake.services);
  const auto working_folder = std::filesystem::current_path();
  EXPECT_TRUE(RunExportTool(server, fake.services).succeeded());
  EXPECT_EQ(std::filesystem::current_path(), working_folder);
  // POSIX lets the caller work between its polls of the program; Windows wakes it only for a
  // window message, of which a test has none.
  EXPECT_EQ(fake.yielder.waits > 0, base::kNativeSeparator == '/');
  // A program that cannot start, or not in its working folder, gives no status.
  const platform::NativeProcessRunner processes;
  const std::string pro = (folder.path() / "Server" / "PRO").string(),
                    line = ExportCommandLine(server);
  EXPECT_EQ(processes.RunAndWait("\"" + pro + "x\"", pro, [] {}), std::nullopt);
  EXPECT_EQ(processes.RunAndWait(line, pro + "x", [] {}), std::nullopt);
  EXPECT_EQ(processes.RunAndWait("", pro, [] {}), std::nullopt);
  EXPECT_EQ(processes.RunAndWait(line + "2", pro, [] {}), 1);  // the stand-in refuses "12"
}

}  // namespace
}  // namespace routix::streets
