// End to end: the built routix2shp on generated Server folders.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "app/version.h"
#include "sample_data/sample_boundaries.h"
#include "sample_data/sample_streets.h"
#include "support/checks.h"
#include "support/command.h"
#include "support/shapefile_reader.h"
#include "support/temp_folder.h"

namespace routix::cli {
namespace {

namespace fs = std::filesystem;
using testing::CommandResult;
using testing::ShellQuote;

class CliTest : public ::testing::Test {
 protected:
  CliTest() {
    fs::create_directories(folder_.path() / "Server" / "GEO");
    fs::create_directories(folder_.path() / "Server" / "DYN");
    fs::create_directories(folder_.path() / "out");
    sample::WriteSampleStreets((folder_.path() / "Server" / "GEO").string(), 300, 11);
    sample::WriteSampleBoundaries((folder_.path() / "Server" / "DYN").string(), 11);
  }

  // Runs routix2shp with the arguments (already quoted where needed) in the temp folder.
  CommandResult Run(const std::string& arguments) const {
    return testing::RunCommand("cd " + ShellQuote(folder_.path().string()) + " && " +
                               ShellQuote(std::string(ROUTIX_PROGRAM_FOLDER) + "/routix2shp") +
                               " " + arguments + " 2>&1");
  }
  std::string Server() const { return ShellQuote(folder_.Path("Server")); }
  std::string Out(const std::string& name) const {
    return (folder_.path() / "out" / name).string();
  }

  testing::TempFolder folder_;
};

TEST_F(CliTest, StreetsRunsTheExportAndWritesTheSet) {
  CommandResult result = Run("streets " + Server() + " " + ShellQuote(Out("roads")));
  ASSERT_EQ(result.exit_status, 0) << result.output;
  EXPECT_EQ(result.output.rfind("Wrote ", 0), 0u) << result.output;
  EXPECT_TRUE(testing::Contains(result.output, Out("roads.shp")));
  testing::ReadSet set = testing::ReadShapefileSet(Out("roads"));
  EXPECT_GT(set.records.size(), 300u);  // Mapfil.asc and then Second.asc
  EXPECT_EQ(set.fields.size(), 25u);

  // Without the export run, DYN with its three exports is all that a Server folder needs.
  fs::remove_all(folder_.path() / "Server" / "GEO");
  CommandResult again = Run("streets " + Server() + " out/roads --no-export");
  EXPECT_EQ(again.exit_status, 1);
  EXPECT_EQ(again.output, "routix2shp: " + Out("roads.shp") +
                              " already exists. Use --overwrite to replace it.\n");

  CommandResult replaced = Run("streets Server out/roads.shp --no-export --overwrite --quiet");
  EXPECT_EQ(replaced.exit_status, 0) << replaced.output;
  EXPECT_EQ(replaced.output, "");
  EXPECT_EQ(testing::ReadShapefileSet(Out("roads")).records.size(), set.records.size());
}

TEST_F(CliTest, AnExportThatAnEarlierRunLeftIsRefusedButConvertedWithNoExport) {
  ASSERT_EQ(Run("streets Server out/roads.shp --quiet").exit_status, 0);
  const std::string earlier = testing::ReadFileBytes(Out("roads.shp"));
  fs::remove(folder_.path() / "Server" / "GEO" / "Mapfil.geo");  // the export program now fails

  CommandResult stale = Run("streets Server out/roads.shp --overwrite");
  EXPECT_EQ(stale.exit_status, 1);
  EXPECT_TRUE(testing::Contains(stale.output,
                                "\nroutix2shp: Incompatible dictionary file. The export program "
                                "ended with status 1.\n"));
  EXPECT_TRUE(testing::ReadFileBytes(Out("roads.shp")) == earlier);

  CommandResult converted = Run("streets Server out/roads.shp --overwrite --no-export");
  EXPECT_EQ(converted.exit_status, 0) << converted.output;
}

TEST_F(CliTest, ThePrjGoesBesideEverySetAndGdalReprojectsWithIt) {
  const std::string prj =
      R"(PROJCS["NAD_1983_UTM_Zone_11N",GEOGCS["GCS_North_American_1983",DATUM["D_North_American_1983",SPHEROID["GRS_1980",6378137.0,298.257222101]],PRIMEM["Greenwich",0.0],UNIT["Degree",0.0174532925199433]],PROJECTION["Transverse_Mercator"],PARAMETER["False_Easting",500000.0],PARAMETER["False_Northing",0.0],PARAMETER["Central_Meridian",-117.0],PARAMETER["Scale_Factor",0.9996],PARAMETER["Latitude_Of_Origin",0.0],UNIT["Meter",1.0]])"
      "\r\n";
  testing::WriteFileBytes(folder_.path() / "routix.prj", prj);
  ASSERT_EQ(Run("streets Server out/roads.shp --prj routix.prj --quiet").exit_status, 0);
  EXPECT_EQ(testing::ReadFileBytes(Out("roads.prj")), prj);
  CommandResult reprojected =
      testing::RunCommand("ogr2ogr -t_srs EPSG:4326 " + ShellQuote(Out("wgs84.shp")) + " " +
                          ShellQuote(Out("roads.shp")) + " 2>&1");
  ASSERT_EQ(reprojected.exit_status, 0) << reprojected.output;
  const std::string info = testing::OgrInfo("-so -al", Out("wgs84.shp"));
  const size_t extent = info.find("Extent: (");
  ASSERT_NE(extent, std::string::npos) << info;
  const double longitude = std::stod(info.substr(extent + 9));
  EXPECT_TRUE(longitude > -180 && longitude < 180) << info;  // degrees now, not metres

  fs::create_directories(folder_.path() / "each");
  ASSERT_EQ(Run("boundaries Server each/x.shp --per-boundary --prj routix.prj").exit_status, 0);
  size_t sets = 0;
  for (const auto& entry : fs::directory_iterator(folder_.path() / "each")) {
    if (entry.path().extension() != ".shp") continue;
    ++sets;
    fs::path beside = entry.path();
    EXPECT_EQ(testing::ReadFileBytes(beside.replace_extension(".prj")), prj) << beside;
  }
  EXPECT_GT(sets, 1u);

  // A file that is not one line of WKT is refused before anything is touched.
  testing::WriteFileBytes(folder_.path() / "bad.prj", "EPSG:26911\n");
  fs::remove(folder_.path() / "Server" / "DYN" / "Mapfil.asc");
  CommandResult refused = Run("streets Server out/other.shp --prj bad.prj");
  EXPECT_EQ(refused.exit_status, 1);
  EXPECT_EQ(refused.output.rfind("routix2shp: Cannot use " + folder_.Path("bad.prj") +
                                     ": a projection file is one line of WKT text, and it does not "
                                     "begin with a WKT keyword and [",
                                 0),
            0u)
      << refused.output;
  EXPECT_FALSE(fs::exists(Out("other.shp")));
  EXPECT_FALSE(fs::exists(folder_.path() / "Server" / "DYN" / "Mapfil.asc"));  // no export ran
}

TEST_F(CliTest, StreetsRefusesWithTheWindowsTexts) {
  struct Row {
    std::string arguments;
    std::string output;
  } rows[] = {
      {"streets none out/roads.shp", "Server path incorrect! " + folder_.Path("none") + "\n"},
      {"streets out out/roads.shp", "Not found GEO folder in " + folder_.Path("out") + "\n"},
      {"streets Server nowhere/roads.shp",
       "Destination path incorrect! " + folder_.Path("nowhere/roads.shp") + "\n"},
      {"streets Server out/roads.shp --no-export", "Incompatible dictionary file.\n"},

  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.arguments);
    CommandResult result = Run(row.arguments);
    EXPECT_EQ(result.exit_status, 1);
    EXPECT_EQ(result.output, "routix2shp: " + row.output);
  }
  EXPECT_FALSE(fs::exists(Out("roads.shp")));
}

TEST_F(CliTest, BoundariesWriteOneSetOrOneSetPerBoundary) {
  CommandResult result = Run("boundaries Server out/zones.shp");
  ASSERT_EQ(result.exit_status, 0) << result.output;
  EXPECT_TRUE(testing::Contains(result.output, Out("Bnd_zones.shp") + " in "));
  EXPECT_TRUE(testing::Contains(  // the boundary "Single node"
      result.output,
      "\nroutix2shp: 1 selected boundary was left out: it has fewer than two "
      "nodes.\n"));
  testing::ReadSet all = testing::ReadShapefileSet(Out("Bnd_zones"));
  EXPECT_EQ(all.shape_type, 5);
  EXPECT_TRUE(fs::exists(Out("Report.err")));

  CommandResult picked = Run("boundaries Server out/zones.shp --select 1,3-4 --polyline");
  EXPECT_EQ(picked.exit_status, 1);
  EXPECT_EQ(picked.output, "routix2shp: " + Out("Bnd_zones.shp") +
                               " already exists. Use --overwrite to replace it.\n");

  testing::WriteFileBytes(Out("Bnd_zones.txt"), "old");
  testing::WriteFileBytes(Out("Bnd_zones2.shp"), "other");
  picked = Run("boundaries Server out/zones.shp --select 1 --select 3-4 --polyline --overwrite");
  ASSERT_EQ(picked.exit_status, 0) << picked.output;
  EXPECT_FALSE(testing::Contains(picked.output, "left out"));
  testing::ReadSet some = testing::ReadShapefileSet(Out("Bnd_zones"));
  EXPECT_EQ(some.shape_type, 3);
  EXPECT_EQ(some.records.size(), 3u);  // a repeated --select adds
  EXPECT_LT(some.records.size(), all.records.size());
  EXPECT_FALSE(fs::exists(Out("Bnd_zones.txt")));  // every Bnd_zones.* went
  EXPECT_TRUE(fs::exists(Out("Bnd_zones2.shp")));

  fs::create_directories(folder_.path() / "each");
  CommandResult each = Run("boundaries Server each/x.shp --per-boundary");
  ASSERT_EQ(each.exit_status, 0) << each.output;
  size_t sets = 0;
  for (const auto& entry : fs::directory_iterator(folder_.path() / "each")) {
    sets += entry.path().extension() == ".shp";
  }
  EXPECT_EQ(sets, all.records.size());
  each = Run("boundaries Server each/x.shp --per-boundary");  // as every output, refused
  EXPECT_EQ(each.exit_status, 1);
  EXPECT_EQ(each.output, "routix2shp: " + (folder_.path() / "each" / "County frame.shp").string() +
                             " already exists. Use --overwrite to replace it.\n");
  EXPECT_EQ(Run("boundaries Server each/x.shp --per-boundary --overwrite").exit_status, 0);

  // After "--" a destination may begin with "-".
  CommandResult dashed = Run("boundaries Server --polyline --quiet -- -zones.shp");
  ASSERT_EQ(dashed.exit_status, 0) << dashed.output;
  EXPECT_EQ(dashed.output, "");
  EXPECT_EQ(testing::ReadShapefileSet(folder_.Path("Bnd_-zones")).shape_type, 3);
}

TEST_F(CliTest, BoundaryRefusalsAndUsageErrors) {
  CommandResult missing = Run("boundaries out out/zones.shp");
  EXPECT_EQ(missing.exit_status, 1);
  EXPECT_EQ(missing.output, "routix2shp: Not found Rxybnd.dat file in directory: " +
                                folder_.Path("out") + "/DYN/\n");

  CommandResult beyond = Run("boundaries Server out/zones.shp --select 1,9999");
  EXPECT_EQ(beyond.exit_status, 1);
  EXPECT_FALSE(fs::exists(Out("Bnd_zones.shp")));

  for (const char* arguments :
       {"", "bogus", "streets Server", "list", "boundaries a b --select 3-1",
        "boundaries a b --select x", "streets a b --polyline", "list Server --overwrite",
        "streets a b -- --no-export", "streets a b --prj", "list Server --prj x.prj",
        "boundaries a b --select 1-1048576,1-1048576"}) {  // more than Rxybnd.dat holds
    SCOPED_TRACE(arguments);
    CommandResult usage = Run(arguments);
    EXPECT_EQ(usage.exit_status, 2);
    EXPECT_EQ(usage.output.rfind("routix2shp: ", 0), 0u) << usage.output;
    EXPECT_TRUE(testing::Contains(usage.output, "\nusage:\n"));
  }
  EXPECT_EQ(Run("--version").output, "routix2shp " + std::string(app::kVersion) + "\n");
}

TEST_F(CliTest, EachCommandHasItsOwnHelp) {
  const std::vector<std::string> every_option = {"--no-export", "--overwrite", "--quiet",
                                                 "--select",    "--polyline",  "--per-boundary",
                                                 "--json"};
  struct Row {
    std::string arguments;
    std::string first_line;
    std::vector<std::string> options;
  } rows[] = {
      {"--help", "usage:", every_option},
      {"streets --help",
       "usage: routix2shp streets SERVER_FOLDER DESTINATION [--no-export]",
       {"--no-export", "--overwrite", "--quiet"}},
      {"boundaries a -h",
       "usage: routix2shp boundaries SERVER_FOLDER DESTINATION",
       {"--select", "--polyline", "--per-boundary", "--overwrite", "--quiet"}},
      {"list --json --help", "usage: routix2shp list SERVER_FOLDER [--json]", {"--json"}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.arguments);
    CommandResult help = Run(row.arguments);
    EXPECT_EQ(help.exit_status, 0);
    EXPECT_EQ(help.output.substr(0, help.output.find('\n')).rfind(row.first_line, 0), 0u)
        << help.output;
    EXPECT_FALSE(testing::Contains(help.output, "D:\\"));  // the examples' paths are POSIX ones
    for (const std::string& option : every_option) {
      const bool named =
          std::find(row.options.begin(), row.options.end(), option) != row.options.end();
      EXPECT_EQ(testing::Contains(help.output, "\n  " + option + " "), named) << option;
    }
  }
}

TEST_F(CliTest, ListShowsTheListedBoundariesDecoded) {
  CommandResult result = Run("list Server");
  ASSERT_EQ(result.exit_status, 0) << result.output;
  std::string first_line = result.output.substr(0, result.output.find('\n'));
  EXPECT_EQ(std::count(first_line.begin(), first_line.end(), '\t'), 2) << first_line;
  EXPECT_EQ(result.output.find("\t0\t"), std::string::npos);  // empty boundaries not listed

  EXPECT_TRUE(testing::Contains(result.output, "\n17\t6\t*:\\\\/,\n"));  // backslash escaped
  EXPECT_TRUE(testing::Contains(result.output, "\n25\t8\tPadded\n"));    // without its NULs

  CommandResult json = Run("list Server --json");
  ASSERT_EQ(json.exit_status, 0) << json.output;
  EXPECT_EQ(json.output.rfind("[\n {\"id\": 1, \"description\": \"County frame\", "
                              "\"node_count\": 4},\n {\"id\": 2, ",
                              0),
            0u)
      << json.output;
  EXPECT_TRUE(testing::Contains(json.output, "\"description\": \"Z\u00FCrich S\u00FCd\""));
  EXPECT_EQ(std::count(json.output.begin(), json.output.end(), '{'),
            std::count(result.output.begin(), result.output.end(), '\n'));

  // A list that cannot all be written out is a failure.
  CommandResult full = testing::RunCommand(
      "( cd " + ShellQuote(folder_.path().string()) + " && " +
      ShellQuote(std::string(ROUTIX_PROGRAM_FOLDER) + "/routix2shp") + " list Server >/dev/full )");
  EXPECT_EQ(full.exit_status, 1);
  EXPECT_EQ(full.output, "routix2shp: Cannot write to standard output: No space left on device.\n");

  fs::remove(folder_.path() / "Server" / "DYN" / "Rxybxt.dat");  // long boundaries need it
  for (const char* arguments : {"list Server", "list Server --json"}) {
    CommandResult refused = Run(arguments);
    EXPECT_EQ(refused.exit_status, 1);
    EXPECT_EQ(refused.output.rfind("routix2shp: Not found Rxybxt.dat file in directory: ", 0), 0u);
  }
}

}  // namespace
}  // namespace routix::cli
