// The tool folder Server/PRO beside the programs belongs to the site, and a Server folder's
// own export program is the routing system's: no layout of routix2shp, as built or as
// installed, may replace it. Each runs a streets conversion on a Server folder whose
// PRO/db2asc.exe is a marker program (a script that writes the exports from GEO); afterwards
// the marker is there byte for byte, PRO holds nothing else but g.cfg (and what a tool folder
// given with --tool-folder holds), and the set is written.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

#include "sample_data/sample_streets.h"
#include "support/command.h"
#include "support/shapefile_reader.h"
#include "support/temp_folder.h"

namespace routix::cli {
namespace {

namespace fs = std::filesystem;
using testing::RunCommand;
using testing::ShellQuote;

constexpr std::string_view kMarker =
    "#!/bin/sh\n"
    "# The site's own export program, run in PRO: the exports from the street data in GEO.\n"
    "cd .. && for name in Nodfil Second Mapfil; do\n"
    "  cp \"GEO/$name.geo\" \"DYN/$name.asc\" || exit 1\n"
    "done\n";

TEST(ToolFolder, NoBuiltOrInstalledLayoutReplacesTheServerFoldersOwnExportProgram) {
  testing::TempFolder folder;
  const fs::path prefix = folder.path() / "usr";
  testing::CommandResult installed =
      RunCommand(ShellQuote(ROUTIX_CMAKE) + " --install " + ShellQuote(ROUTIX_BUILD_FOLDER) +
                 " --prefix " + ShellQuote(prefix.string()));
  ASSERT_EQ(installed.exit_status, 0) << installed.output;

  // A site's tool folder named on the command line, its file copied into PRO.
  const fs::path site = folder.path() / "site";
  fs::create_directories(site);
  testing::WriteFileBytes(site / "site.dat", "the site's");

  struct Layout {
    std::string name;
    std::string program;
    std::string options = "";
    std::set<std::string> in_pro = {"db2asc.exe", "g.cfg"};
  } layouts[] = {
      {"built", ROUTIX_BUILT_PROGRAM},
      {"installed", (prefix / "bin" / "routix2shp").string()},
      {"tool folder given",
       ROUTIX_BUILT_PROGRAM,
       " --tool-folder " + ShellQuote(site.string()),
       {"db2asc.exe", "g.cfg", "site.dat"}},
  };
  for (const Layout& layout : layouts) {
    SCOPED_TRACE(layout.name);
    const fs::path server = folder.path() / layout.name / "Server";
    fs::create_directories(server / "GEO");
    fs::create_directories(server / "PRO");
    sample::WriteSampleStreets((server / "GEO").string(), 50, 7);
    const fs::path marker = server / "PRO" / "db2asc.exe";
    testing::WriteFileBytes(marker, kMarker);
    fs::permissions(marker, fs::perms::owner_all, fs::perm_options::add);

    const std::string output = (folder.path() / layout.name / "roads").string();
    testing::CommandResult result =
        RunCommand(ShellQuote(layout.program) + " streets " + ShellQuote(server.string()) + " " +
                   ShellQuote(output) + layout.options + " --quiet 2>&1");
    ASSERT_EQ(result.exit_status, 0) << result.output;
    EXPECT_TRUE(testing::ReadFileBytes(marker) == kMarker) << marker << " was replaced";
    std::set<std::string> in_pro;
    for (const fs::directory_entry& entry : fs::directory_iterator(server / "PRO")) {
      in_pro.insert(entry.path().filename().string());
    }
    EXPECT_EQ(in_pro, layout.in_pro);
    EXPECT_GT(testing::ReadShapefileSet(output).records.size(), 50u);
  }
}

}  // namespace
}  // namespace routix::cli
