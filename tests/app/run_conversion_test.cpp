#include "app/run_conversion.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/native_separator.h"
#include "sample_data/sample_boundaries.h"
#include "sample_data/sample_streets.h"
#include "sample_data/street_data.h"
#include "support/fake_services.h"
#include "support/scripted_ui.h"
#include "support/shapefile_reader.h"
#include "support/temp_folder.h"

namespace routix::app {
namespace {

namespace fs = std::filesystem;
using testing::WriteFileBytes;
using Texts = std::vector<std::string>;

const char kSep = platform::kNativeSeparator;
const std::string kFinishedBox = "none: Convert finished !";

// A sample Server folder with street data and boundary files, an output folder beside it,
// and a window with both paths typed in and every listed boundary selected.
class RunConversionTest : public ::testing::Test {
 protected:
  RunConversionTest() {
    fs::create_directories(folder_.path() / "Server" / "GEO");
    fs::create_directories(folder_.path() / "Server" / "DYN");
    fs::create_directories(folder_.path() / "out");
    sample::WriteSampleStreets(folder_.Path("Server") + kSep + "GEO", 40, 7);
    sample::WriteSampleBoundaries(Dyn(), 7);
    ui_.server_folder = folder_.Path("Server");
    ui_.destination = Out("roads.shp");
    for (int i = 1; i <= 40; ++i) selection_.col_return.push_back(std::to_string(i));
    selection_.boundary_shape_type = 5;
  }

  std::string Out(const std::string& name) const { return folder_.Path("out") + kSep + name; }
  std::string Dyn() const { return folder_.Path("Server") + kSep + "DYN"; }
  void Run() { RunConversion(ui_, selection_, fake_.services); }
  // Run with fresh logs.
  void RunAgain() {
    ui_.messages.clear();
    ui_.log.clear();
    Run();
  }
  size_t Records(const std::string& base) const {
    return testing::ReadShapefileSet(Out(base)).records.size();
  }

  testing::TempFolder folder_;
  testing::FakeServices fake_;
  testing::ScriptedUi ui_;
  boundaries::BoundarySelection selection_;
};

TEST_F(RunConversionTest, NeitherBoxTickedAsksForAConversionAndFocusesStreets) {
  Run();
  EXPECT_EQ(ui_.messages, Texts{"information: Please select convert type."});
  EXPECT_EQ(ui_.log, (Texts{"message", "focus geo"}));
  EXPECT_TRUE(fs::is_empty(folder_.path() / "out"));
}

TEST_F(RunConversionTest, AMissingBoundaryFileKeepsTheBoxTickedAndSkipsTheStreets) {
  ui_.boundary_ticked = ui_.geocode_ticked = true;
  ui_.server_folder += kSep;  // as the folder dialog leaves it
  for (const char* missing : {"Rxybnd.dat", "Rxybxt.dat"}) {
    SCOPED_TRACE(missing);
    fs::rename(Dyn() + kSep + missing, folder_.Path(missing));
    RunAgain();
    EXPECT_EQ(ui_.messages, Texts{"critical: Not found " + std::string(missing) +
                                  " file in directory: \r\n" + Dyn() + kSep});
    EXPECT_TRUE(ui_.boundary_ticked);
    EXPECT_TRUE(ui_.geocode_ticked);
    EXPECT_FALSE(fs::exists(folder_.path() / "Server" / "PRO" / "g.cfg"));
    fs::rename(folder_.Path(missing), Dyn() + kSep + missing);
  }
}

TEST_F(RunConversionTest, NothingSelectedSkipsTheBoundariesSilently) {
  selection_.col_return.clear();
  ui_.boundary_ticked = true;
  Run();  // alone: the box is unticked and nothing else happens
  EXPECT_EQ(ui_.log, Texts{"untick dat"});
  EXPECT_TRUE(fake_.status.texts.empty());

  ui_.boundary_ticked = ui_.geocode_ticked = true;
  RunAgain();  // with the streets: they run after the reset display
  EXPECT_EQ(ui_.log.front(), "untick dat");
  EXPECT_EQ(fake_.status.texts.front(), "Finished !");
  EXPECT_FALSE(ui_.geocode_ticked);
  EXPECT_EQ(ui_.messages, Texts{kFinishedBox});
  EXPECT_TRUE(fs::exists(Out("roads.shp")));
}

TEST_F(RunConversionTest, AnExistingCombinedOutputIsReplacedOnlyOnYes) {
  for (const char* name : {"Bnd_roads.shp", "Bnd_roads.txt", "Bnd_roads2.shp"}) {
    WriteFileBytes(Out(name), "old");
  }
  ui_.boundary_ticked = ui_.geocode_ticked = true;
  ui_.answers = {Answer::kNo};
  Run();
  EXPECT_EQ(ui_.messages, Texts{"question yes/no: " + Out("Bnd_roads.shp") +
                                " already exists.\r\nDo you want to replace it?"});
  EXPECT_EQ(testing::ReadFileBytes(Out("Bnd_roads.txt")), "old");
  EXPECT_FALSE(ui_.boundary_ticked);
  EXPECT_TRUE(ui_.geocode_ticked);  // the street part did not run either
  EXPECT_FALSE(fs::exists(Out("roads.shp")));

  ui_.boundary_ticked = true;
  ui_.answers = {Answer::kYes};
  Run();
  EXPECT_FALSE(fs::exists(Out("Bnd_roads.txt")));
  EXPECT_TRUE(fs::exists(Out("Bnd_roads2.shp")));
  EXPECT_GT(Records("Bnd_roads"), 0u);
  EXPECT_TRUE(selection_.col_return.empty());  // released after the conversion
}

TEST_F(RunConversionTest, OneSetPerBoundaryAsksNothing) {
  WriteFileBytes(Out("Bnd_roads.shp"), "old");
  selection_.one_file_per_boundary = true;
  ui_.boundary_ticked = true;
  Run();
  EXPECT_EQ(ui_.messages, Texts{kFinishedBox});
  EXPECT_EQ(testing::ReadFileBytes(Out("Bnd_roads.shp")), "old");
}

TEST_F(RunConversionTest, ValidatePathsRefusesWhatIsNotThere) {
  struct Row {
    std::string server_folder;
    std::string destination;
    std::string box;
  } rows[] = {
      {folder_.Path("none"), Out("roads.shp"),
       "critical: Server path incorrect!\r\n" + folder_.Path("none")},
      {folder_.Path("out"), Out("roads.shp"),
       "critical: Not found GEO folder in \r\n" + folder_.Path("out")},
      {folder_.Path("Server"), folder_.Path("none") + kSep + "roads.shp",
       "critical: Destination path incorrect!\r\n" + folder_.Path("none") + kSep + "roads.shp"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.box);
    ui_.geocode_ticked = true;
    ui_.server_folder = row.server_folder;
    ui_.destination = row.destination;
    RunAgain();
    EXPECT_EQ(ui_.messages, Texts{row.box});
    EXPECT_FALSE(ui_.geocode_ticked);
  }
}

TEST_F(RunConversionTest, AnExistingDestinationIsReplacedOnYesAndBrowsedOnNo) {
  WriteFileBytes(Out("roads.shp"), "old");
  ui_.geocode_ticked = true;
  ui_.answers = {Answer::kNo};
  ui_.on_browse = [&] { ui_.destination = Out("other.shp"); };
  Run();
  EXPECT_EQ(ui_.messages, Texts{"question yes/no: " + Out("roads.shp") +
                                " already exists.\r\nDo you want to replace it?"});
  EXPECT_EQ(ui_.log, (Texts{"message", "browse", "untick geo"}));
  EXPECT_FALSE(fs::exists(Out("other.shp")));

  ui_.geocode_ticked = true;
  ui_.destination = Out("roads.shp");
  ui_.answers = {Answer::kYes};
  Run();
  EXPECT_GT(Records("roads"), 0u);
}

TEST_F(RunConversionTest, AnExportThatWritesNoMapfilIsAnIncompatibleDictionary) {
  fake_.services.program_folder = folder_.Path("no tools here");  // PRO stays empty
  fs::create_directories(folder_.path() / "Server" / "PRO");
  for (bool earlier_exports : {false, true}) {
    SCOPED_TRACE(earlier_exports ? "the exports of an earlier run in DYN" : "nothing in DYN");
    if (earlier_exports) {
      const fs::path server = folder_.path() / "Server";
      for (const sample::StreetDataFile& file : sample::kStreetDataFiles) {
        fs::copy_file(server / "GEO" / file.data_name, server / "DYN" / file.export_name);
      }
    }
    ui_.geocode_ticked = true;
    RunAgain();
    EXPECT_EQ(ui_.messages, Texts{"critical \"Db2asc error\": Incompatible dictionary file."});
    EXPECT_FALSE(ui_.geocode_ticked);
    EXPECT_EQ(fake_.status.texts.back(), "Finished !");
    EXPECT_FALSE(fs::exists(Out("roads.shp")));
  }
}

TEST_F(RunConversionTest, BothRunBoundariesFirstOnTheUntidiedPathsOfTheEnterKeyAndFinishOnce) {
  ui_.boundary_ticked = ui_.geocode_ticked = true;
  ui_.server_folder += kSep;
  ui_.destination = Out("roads");  // no ".shp" yet
  fake_.progress.SetValue(5);
  Run();
  EXPECT_EQ(ui_.messages, Texts{kFinishedBox});
  EXPECT_EQ(ui_.log.back(), "message");
  EXPECT_FALSE(ui_.boundary_ticked);
  EXPECT_FALSE(ui_.geocode_ticked);
  EXPECT_EQ(fake_.progress.value(), 0);
  const Texts& statuses = fake_.status.texts;
  EXPECT_EQ(statuses.back(), "Finished !");
  EXPECT_LT(std::find(statuses.begin(), statuses.end(), "Converting Dat file to shape file ..."),
            std::find(statuses.begin(), statuses.end(), "Writting shape file from mapfil.asc ..."));
  EXPECT_EQ(std::count(ui_.log.begin(), ui_.log.end(), "busy on"), 2);
  EXPECT_GT(Records("roads"), 0u);
  EXPECT_GT(Records("Bnd_roads"), 0u);
}

TEST_F(RunConversionTest, TheBoundaryOutputStaysWhenTheStreetPathsAreThenRefused) {
  ui_.boundary_ticked = ui_.geocode_ticked = true;
  fs::remove_all(folder_.path() / "Server" / "GEO");
  Run();
  EXPECT_TRUE(fs::exists(Out("Bnd_roads.shp")));
  EXPECT_FALSE(ui_.boundary_ticked);
  EXPECT_FALSE(ui_.geocode_ticked);
  EXPECT_EQ(ui_.messages, Texts{"critical: Not found GEO folder in \r\n" + folder_.Path("Server")});
}

TEST_F(RunConversionTest, AnErrorInsideAConversionIsShownAndNothingIsReportedFinished) {
  ui_.boundary_ticked = ui_.geocode_ticked = true;
  fs::create_directories(Out("Bnd_roads.shp"));  // a folder where the set's main file goes
  Run();
  ASSERT_EQ(ui_.messages.size(), 1u);
  EXPECT_EQ(ui_.messages[0].rfind("critical: ", 0), 0u);
  EXPECT_NE(ui_.messages[0].find("Bnd_roads.shp"), std::string::npos) << ui_.messages[0];
  EXPECT_EQ(ui_.log, (Texts{"busy on", "busy off", "message"}));
  EXPECT_TRUE(ui_.boundary_ticked);  // Go can try again
  EXPECT_TRUE(ui_.geocode_ticked);
  EXPECT_FALSE(selection_.col_return.empty());
  EXPECT_FALSE(fs::exists(Out("roads.shp")));
}

}  // namespace
}  // namespace routix::app
