// The Server folder made ready for the export, and the stand-in export program run in it
// through the real process start.
#include "streets/export_run.h"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "base/system_paths.h"
#include "platform/process.h"
#include "sample_data/sample_streets.h"
#include "streets/server_folder.h"
#include "support/checks.h"
#include "support/fake_services.h"
#include "support/temp_folder.h"

namespace routix::streets {
namespace {

namespace fs = std::filesystem;
using testing::ReadFileBytes;
using testing::WriteFileBytes;

using ConfigLines = std::array<std::string, kExportConfigLines>;

ConfigLines ConfigFor(const std::string& server, char separator) {
  const std::string s(1, separator);
  return {"[ASSIGN]",
          "DYN=" + server + s + "DYN",
          "GEO=" + server + s + "GEO",
          "STA=" + server + s + "STA",
          "RPT=" + server + s + "RPT",
          "TMP=" + server + s + "PRO" + s + "TMP",
          "[EPA] ",
          "PATH=" + server + s + "PRO",
          "POLLING TIME = 1"};
}

// The lines and the command line for a typed folder, through the default separator where
// separator is the platform's own, as the preparation and the export run call them.
ConfigLines Lines(const std::string& typed, char separator) {
  return separator == base::kNativeSeparator ? ExportConfigLines(typed)
                                             : ExportConfigLines(typed, separator);
}
std::string CommandLine(const std::string& typed, char separator) {
  return separator == base::kNativeSeparator ? ExportCommandLine(typed)
                                             : ExportCommandLine(typed, separator);
}

TEST(ExportConfigLinesAndCommandLine, NameTheSameFoldersHoweverTheServerFolderEnds) {
  struct Row {
    const char* typed;
    char separator;
    std::string server;  // as the lines name it
  } rows[] = {
      {"D:\\Routing\\Server", '\\', "D:\\Routing\\Server"},
      {"D:\\Routing\\Server\\", '\\', "D:\\Routing\\Server"},
      {"D:\\Routing\\\\Server\\\\", '\\', "D:\\Routing\\Server"},
      {"D:\\", '\\', "D:"},  // the folders of a drive root right under it
      {"\\\\srv\\share\\Server\\", '\\', "\\\\srv\\share\\Server"},  // a network path
      {"/srv/my server/", '/', "/srv/my server"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.typed);
    EXPECT_EQ(Lines(row.typed, row.separator), ConfigFor(row.server, row.separator));
    const std::string pro = row.server + row.separator + "PRO" + row.separator;
    EXPECT_EQ(CommandLine(row.typed, row.separator),
              '"' + pro + "db2asc.exe\" \"" + pro + "g.cfg\" 1");
  }
}

TEST(PrepareServerFolder, ClearsWorkFilesCopiesTheToolFolderAndWritesTheConfigAnew) {
  testing::TempFolder server;
  fs::create_directories(server.path() / "GEO");
  fs::create_directories(server.path() / "PRO");
  WriteFileBytes(server.path() / "GEO" / "a.taf", "x");
  WriteFileBytes(server.path() / "GEO" / "keep.dat", "x");
  WriteFileBytes(server.path() / "PRO" / "g.cfg", std::string(2000, 'x'));
  testing::FakeServices fake;
  PrepareServerFolder(server.path().string() + base::kNativeSeparator, fake.services);
  EXPECT_FALSE(fs::exists(server.path() / "GEO" / "a.taf"));
  EXPECT_TRUE(fs::exists(server.path() / "GEO" / "keep.dat"));
  EXPECT_TRUE(fs::is_regular_file(server.path() / "PRO" / "db2asc.exe"));
  EXPECT_TRUE(fs::is_directory(server.path() / "DYN"));
  std::string expected;
  for (const std::string& line : ConfigFor(server.path().string(), base::kNativeSeparator)) {
    expected += line + "\r\n";
  }
  EXPECT_EQ(ReadFileBytes(server.path() / "PRO" / "g.cfg"), expected);
}

TEST(PrepareServerFolder, PassesOverAMissingToolFolderButNotAConfigItCannotWrite) {
  testing::TempFolder server, elsewhere;
  testing::FakeServices fake;
  fake.services.tool_folder = (elsewhere.path() / "none").string();
  fs::create_directory(server.path() / "PRO");
  PrepareServerFolder(server.path().string(), fake.services);  // nothing to copy, no GEO
  EXPECT_TRUE(fs::is_regular_file(server.path() / "PRO" / "g.cfg"));
  fs::remove_all(server.path() / "PRO");
  EXPECT_TRUE(testing::Contains(
      testing::ErrorOf([&] { PrepareServerFolder(server.path().string(), fake.services); }),
      "g.cfg"));
}

// A Server folder with sample street data in GEO, prepared for the export.
class PreparedServer {
 public:
  PreparedServer() {
    fs::create_directory(folder_.path() / "GEO");
    sample::WriteSampleStreets(folder_.Path("GEO"), 40, 3);
    PrepareServerFolder(path(), fake_.services);
  }
  std::string path() const { return folder_.path().string(); }
  fs::path In(const std::string& relative) const { return folder_.path() / relative; }
  bool Exported() const { return fs::exists(In("DYN") / "Mapfil.asc"); }
  testing::FakeServices& fake() { return fake_; }

 private:
  testing::TempFolder folder_;
  testing::FakeServices fake_;
};

std::string Quoted(const fs::path& path) { return '"' + path.string() + '"'; }

std::string ReplaceAll(std::string text, const std::string& from, const std::string& to) {
  for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
  return text;
}

TEST(RunExportTool, RunsTheExportInProAndLeavesTheWorkingFolderAlone) {
  PreparedServer server;
  WriteFileBytes(server.In("GEO") / "stale.taf", "x");
  const fs::path working_folder = fs::current_path();
  EXPECT_TRUE(RunExportTool(server.path(), server.fake().services).succeeded());

  EXPECT_EQ(fs::current_path(), working_folder);
  for (std::string name : {"Mapfil", "Nodfil", "Second"}) {
    EXPECT_EQ(ReadFileBytes(server.In("DYN") / (name + ".asc")),
              ReplaceAll(ReadFileBytes(server.In("GEO") / (name + ".geo")), "\n", "\r\n"))
        << name;
  }
  EXPECT_FALSE(fs::exists(server.In("GEO") / "stale.taf"));
  EXPECT_FALSE(fs::exists(server.In("GEO") / "db2asc.taf"));  // the export leaves it behind
  EXPECT_EQ(server.fake().status.texts,
            std::vector<std::string>{"Please wait for a moment when running db2asc..."});
  EXPECT_EQ(server.fake().yielder.calls, 1);
}

TEST(RunExportTool, TheExportWritesNoMapfilForAWrongConfigOrMissingData) {
  const std::string geo_line = base::kNativeSeparator + std::string("GEO\r\n");
  struct Row {
    const char* what;
    std::string from, to;  // in g.cfg
  } rows[] = {
      {"a section name without its blank", "[EPA] ", "[EPA]"},
      {"lines ended by LF alone", "\r\n", "\n"},
      {"a folder that is not beside PATH", geo_line, geo_line.substr(0, 4) + geo_line},
      {"no street data", "", ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    PreparedServer server;
    const fs::path config = server.In("PRO") / "g.cfg";
    if (row.from.empty()) {
      fs::remove(server.In("GEO") / "Second.geo");
    } else {
      WriteFileBytes(config, ReplaceAll(ReadFileBytes(config), row.from, row.to));
    }
    EXPECT_FALSE(RunExportTool(server.path(), server.fake().services).succeeded());
    EXPECT_FALSE(server.Exported());
  }
}

TEST(RunExportTool, AnExportThatAnEarlierRunLeftIsNoSuccess) {
  PreparedServer server;
  ASSERT_TRUE(RunExportTool(server.path(), server.fake().services).succeeded());
  fs::remove(server.In("GEO") / "Mapfil.geo");  // the export program now fails
  EXPECT_FALSE(RunExportTool(server.path(), server.fake().services).succeeded());
  EXPECT_TRUE(server.Exported());  // the old export is still there
}

TEST(RunAndWait, TheExportRefusesAnyOtherCommandLineOrWorkingFolderAndAFailedStartReturns) {
  PreparedServer server;
  const std::string program = Quoted(server.In("PRO") / "db2asc.exe");
  const std::string config = Quoted(server.In("PRO") / "g.cfg");
  const std::string pro = server.In("PRO").string();
  struct Row {
    const char* what;
    std::string command_line;
    std::string working_folder;
    std::optional<int> status;  // nothing for a program that cannot start
  } rows[] = {
      {"another last argument", program + " " + config + " 2", pro, 1},
      {"no configuration", program + " 1", pro, 1},
      {"another working folder", program + " " + config + " 1", server.path(), 1},
      {"a missing working folder", program + " " + config + " 1", server.In("none").string(),
       std::nullopt},
      {"a missing program", Quoted(server.In("none.exe")) + " " + config + " 1", pro, std::nullopt},
      {"no command line", "", pro, std::nullopt},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    EXPECT_EQ(platform::RunAndWait(row.command_line, row.working_folder, [] {}), row.status);
    EXPECT_FALSE(server.Exported());
  }
  EXPECT_EQ(platform::RunAndWait(program + " " + config + " 1", pro, [] {}), 0);
  EXPECT_TRUE(server.Exported());
}

}  // namespace
}  // namespace routix::streets
