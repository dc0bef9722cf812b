#include "streets/server_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "base/conversion_error.h"
#include "platform/native_separator.h"
#include "streets/export_run.h"
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
  return separator == platform::kNativeSeparator ? ExportConfigLines(typed)
                                                 : ExportConfigLines(typed, separator);
}
std::string CommandLine(const std::string& typed, char separator) {
  return separator == platform::kNativeSeparator ? ExportCommandLine(typed)
                                                 : ExportCommandLine(typed, separator);
}

TEST(ExportConfigLines, GivesTheSameNineLinesHoweverTheFolderEnds) {
  struct Row {
    const char* typed;
    char separator;
    ConfigLines lines;
  } rows[] = {
      {"D:\\Routing\\Server", '\\', ConfigFor("D:\\Routing\\Server", '\\')},
      {"D:\\Routing\\Server\\", '\\', ConfigFor("D:\\Routing\\Server", '\\')},
      {"D:\\Routing\\\\Server\\\\", '\\', ConfigFor("D:\\Routing\\Server", '\\')},
      {"/srv/routix/Server/", '/', ConfigFor("/srv/routix/Server", '/')},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.typed);
    EXPECT_EQ(Lines(row.typed, row.separator), row.lines);
  }
}

TEST(ExportConfigLines, PutsTheFoldersOfADriveRootRightUnderIt) {
  ConfigLines lines = Lines("D:\\", '\\');
  EXPECT_EQ(lines[1], "DYN=D:\\DYN");
  EXPECT_EQ(lines[5], "TMP=D:\\PRO\\TMP");
  EXPECT_EQ(lines[7], "PATH=D:\\PRO");
}

TEST(ExportCommandLine, QuotesBothPathsAndCollapsesTheDoubledSeparator) {
  struct Row {
    const char* typed;
    char separator;
    const char* command_line;
  } rows[] = {
      {"D:\\Routing\\Server", '\\',
       "\"D:\\Routing\\Server\\PRO\\db2asc.exe\" \"D:\\Routing\\Server\\PRO\\g.cfg\" 1"},
      {"D:\\Routing\\Server\\", '\\',
       "\"D:\\Routing\\Server\\PRO\\db2asc.exe\" \"D:\\Routing\\Server\\PRO\\g.cfg\" 1"},
      {"D:\\", '\\', "\"D:\\PRO\\db2asc.exe\" \"D:\\PRO\\g.cfg\" 1"},
      {"\\\\srv\\share\\Server\\", '\\',
       "\"\\\\srv\\share\\Server\\PRO\\db2asc.exe\" \"\\\\srv\\share\\Server\\PRO\\g.cfg\" 1"},
      {"/srv/my server/", '/', "\"/srv/my server/PRO/db2asc.exe\" \"/srv/my server/PRO/g.cfg\" 1"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.typed);
    EXPECT_EQ(CommandLine(row.typed, row.separator), row.command_line);
  }
}

TEST(WriteExportConfig, ReplacesTheFileWithNineLinesEndedByCrLf) {
  testing::TempFolder server;
  fs::create_directory(server.path() / "PRO");
  WriteFileBytes(server.path() / "PRO" / "g.cfg", std::string(2000, 'x'));
  base::FileSystemService files;
  WriteExportConfig(server.path().string(), files);
  std::string expected;
  for (const std::string& line : ConfigFor(server.path().string(), platform::kNativeSeparator)) {
    expected += line + "\r\n";
  }
  EXPECT_EQ(ReadFileBytes(server.path() / "PRO" / "g.cfg"), expected);
}

TEST(PrepareServerFolder, ClearsWorkFilesCopiesTheToolFolderAndWritesTheConfig) {
  testing::TempFolder server;
  fs::create_directory(server.path() / "GEO");
  for (const char* name : {"a.taf", "B.TAF", "keep.dat", "taf"}) {
    WriteFileBytes(server.path() / "GEO" / name, "x");
  }
  testing::FakeServices fake;
  PrepareServerFolder(server.path().string() + platform::kNativeSeparator, fake.services);

  std::vector<std::string> left;
  for (const auto& entry : fs::directory_iterator(server.path() / "GEO")) {
    left.push_back(entry.path().filename().string());
  }
  std::sort(left.begin(), left.end());
  EXPECT_EQ(left, (std::vector<std::string>{"keep.dat", "taf"}));
  EXPECT_TRUE(fs::is_regular_file(server.path() / "PRO" / "db2asc.exe"));
  EXPECT_TRUE(fs::is_directory(server.path() / "DYN"));
  EXPECT_TRUE(fs::is_regular_file(server.path() / "PRO" / "g.cfg"));
}

TEST(PrepareServerFolder, PassesOverAMissingToolFolderButNotAConfigItCannotWrite) {
  testing::TempFolder server, empty_program_folder;
  testing::FakeServices fake;
  fake.services.program_folder = empty_program_folder.path().string();
  fs::create_directory(server.path() / "PRO");
  PrepareServerFolder(server.path().string(), fake.services);  // nothing to copy, no GEO
  EXPECT_TRUE(fs::is_regular_file(server.path() / "PRO" / "g.cfg"));
  EXPECT_TRUE(fs::is_directory(server.path() / "DYN"));

  fs::remove_all(server.path() / "PRO");
  try {
    PrepareServerFolder(server.path().string(), fake.services);
    ADD_FAILURE() << "no error";
  } catch (const base::ConversionError& error) {
    EXPECT_NE(std::string(error.what()).find("g.cfg"), std::string::npos) << error.what();
  }
}

}  // namespace
}  // namespace routix::streets
