// Runs the stand-in export program through the real process start.
#include "streets/export_run.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "platform/native_separator.h"
#include "platform/process.h"
#include "sample_data/sample_streets.h"
#include "streets/server_folder.h"
#include "support/fake_services.h"
#include "support/temp_folder.h"

namespace routix::streets {
namespace {

namespace fs = std::filesystem;
using testing::ReadFileBytes;
using testing::WriteFileBytes;

// A Server folder with sample street data in GEO, prepared for the export.
class PreparedServer {
 public:
  PreparedServer() {
    fs::create_directory(folder_.path() / "GEO");
    sample::WriteSampleStreets((folder_.path() / "GEO").string(), 40, 3);
    PrepareServerFolder(path(), fake_.services);
  }
  std::string path() const { return folder_.path().string(); }
  fs::path In(const std::string& relative) const { return folder_.path() / relative; }
  testing::FakeServices& fake() { return fake_; }

 private:
  testing::TempFolder folder_;
  testing::FakeServices fake_;
};

// The path in double quotes, as a command line token.
std::string Quoted(const std::string& path) {
  std::string token(1, '"');
  token += path;
  token += '"';
  return token;
}

// The lines of a street data file, ended by CR LF as the export has them.
std::string WithCrLf(const std::string& text) {
  std::string result;
  for (char c : text) {
    if (c == '\n') result += '\r';
    result += c;
  }
  return result;
}

TEST(RunExportTool, RunsTheExportInProAndLeavesTheWorkingFolderAlone) {
  PreparedServer server;
  WriteFileBytes(server.In("GEO") / "stale.taf", "x");
  const fs::path working_folder = fs::current_path();
  RunExportTool(server.path(), server.fake().services);

  EXPECT_EQ(fs::current_path(), working_folder);
  for (const char* name : {"Mapfil", "Nodfil", "Second"}) {
    SCOPED_TRACE(name);
    EXPECT_EQ(ReadFileBytes(server.In("DYN") / (std::string(name) + ".asc")),
              WithCrLf(ReadFileBytes(server.In("GEO") / (std::string(name) + ".geo"))));
  }
  EXPECT_FALSE(fs::exists(server.In("GEO") / "stale.taf"));
  EXPECT_FALSE(fs::exists(server.In("GEO") / "db2asc.taf"));  // the export leaves it behind
  EXPECT_EQ(server.fake().status.texts,
            std::vector<std::string>{"Please wait for a moment when running db2asc..."});
  EXPECT_EQ(server.fake().yielder.calls, 1);
}

TEST(RunExportTool, TheExportWritesNoMapfilForAWrongConfigOrMissingData) {
  auto edit_config = [](const PreparedServer& server, auto edit) {
    const fs::path config = server.In("PRO") / "g.cfg";
    std::string text = ReadFileBytes(config);
    edit(text);
    WriteFileBytes(config, text);
  };
  const std::string geo_line = platform::kNativeSeparator + std::string("GEO\r\n");
  struct Row {
    const char* what;
    std::function<void(const PreparedServer&)> spoil;
  } rows[] = {
      {"a section name without its blank",
       [&](const PreparedServer& server) {
         edit_config(server,
                     [](std::string& text) { text.replace(text.find("[EPA] "), 6, "[EPA]"); });
       }},
      {"lines ended by LF alone",
       [&](const PreparedServer& server) {
         edit_config(server, [](std::string& text) { std::erase(text, '\r'); });
       }},
      {"a folder that is not beside PATH",
       [&](const PreparedServer& server) {
         edit_config(server, [&](std::string& text) {
           text.insert(text.find(geo_line), geo_line.substr(0, 4));
         });
       }},
      {"no street data",
       [](const PreparedServer& server) { fs::remove(server.In("GEO") / "Second.geo"); }},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    PreparedServer server;
    row.spoil(server);
    RunExportTool(server.path(), server.fake().services);
    EXPECT_FALSE(fs::exists(server.In("DYN") / "Mapfil.asc"));
  }
}

TEST(RunAndWait, TheExportRefusesAnyOtherCommandLineOrWorkingFolder) {
  PreparedServer server;
  const std::string program = Quoted((server.In("PRO") / "db2asc.exe").string());
  const std::string config = Quoted((server.In("PRO") / "g.cfg").string());
  const std::string pro = server.In("PRO").string();
  struct Row {
    const char* what;
    std::string command_line;
    std::string working_folder;
  } rows[] = {
      {"another last argument", program + " " + config + " 2", pro},
      {"no configuration", program + " 1", pro},
      {"another working folder", program + " " + config + " 1", server.path()},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    platform::RunAndWait(row.command_line, row.working_folder);
    EXPECT_FALSE(fs::exists(server.In("DYN") / "Mapfil.asc"));
  }
  platform::RunAndWait(program + " " + config + " 1", pro);
  EXPECT_TRUE(fs::exists(server.In("DYN") / "Mapfil.asc"));
}

TEST(RunAndWait, ReturnsAtOnceWhenTheProgramCannotStart) {
  testing::TempFolder folder;
  platform::RunAndWait(Quoted(folder.Path("missing.exe")) + " 1", folder.path().string());
  const std::string program =
      (fs::path(ROUTIX_BUILD_FOLDER) / "Server" / "PRO" / "db2asc.exe").string();
  platform::RunAndWait(Quoted(program) + " 1", folder.Path("missing folder"));
  platform::RunAndWait("", folder.path().string());
}

}  // namespace
}  // namespace routix::streets
