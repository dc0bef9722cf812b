#include "app/run_conversion.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "base/system_paths.h"
#include "sample_data/sample_boundaries.h"
#include "sample_data/sample_streets.h"
#include "sample_data/street_data.h"
#include "support/fake_services.h"
#include "support/memory_file_system.h"
#include "support/scripted_ui.h"
#include "support/shapefile_reader.h"
#include "support/temp_folder.h"

namespace routix::app {
namespace {

namespace fs = std::filesystem;
using testing::ReadFileBytes;
using testing::WriteFileBytes;
using Texts = std::vector<std::string>;

const char kSep = base::kNativeSeparator;
const std::string kFinishedBox = "none: Convert finished !";

std::string Question(const std::string& path) {
  return "question yes/no: " + path + " already exists.\r\nDo you want to replace it?";
}

// A sample Server folder with street data and boundary files, an output folder beside it,
// and a window with both paths typed in and every boundary selected.
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
    SelectAll();
    selection_.boundary_shape_type = 5;
  }

  void SelectAll() {
    for (int i = 1; i <= 40; ++i) selection_.col_return.push_back(std::to_string(i));
  }
  std::string Out(const std::string& name) const { return folder_.Path("out") + kSep + name; }
  std::string Dyn() const { return folder_.Path("Server") + kSep + "DYN"; }
  // Runs with fresh logs.
  RunResult Run(const RunOptions& options = {}) {
    ui_.messages.clear();
    ui_.log.clear();
    return RunConversion(ui_, selection_, fake_.services, options);
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
  EXPECT_FALSE(Run().finished);
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
    Run();
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
  Run();  // with the streets: they run after the reset display
  EXPECT_EQ(ui_.log.front(), "untick dat");
  EXPECT_EQ(fake_.status.texts.front(), "Finished !");
  EXPECT_FALSE(ui_.geocode_ticked);
  EXPECT_EQ(ui_.messages, Texts{kFinishedBox});
  EXPECT_TRUE(fs::exists(Out("roads.shp")));
}

TEST_F(RunConversionTest, AnExistingCombinedOutputIsReplacedOnlyOnYesWithEveryFileOfItsName) {
  const Texts names = {"Bnd_roads.shp", "Bnd_roads.txt", "Bnd_roads.shp.xml", "Bnd_roads2.shp",
                       "bnd_ROADS.txt"};
  for (const std::string& name : names) WriteFileBytes(Out(name), "old");
  ui_.boundary_ticked = ui_.geocode_ticked = true;
  ui_.destination = Out("roads");  // the rule names the same set with ".shp" or without
  ui_.answers = {Answer::kNo};
  Run();
  EXPECT_EQ(ui_.messages, Texts{Question(Out("Bnd_roads.shp"))});
  EXPECT_EQ(ReadFileBytes(Out("Bnd_roads.txt")), "old");
  EXPECT_FALSE(ui_.boundary_ticked);
  EXPECT_TRUE(ui_.geocode_ticked);  // the street part did not run either
  EXPECT_FALSE(fs::exists(Out("roads.shp")));

  ui_.boundary_ticked = true;
  ui_.answers = {Answer::kYes};
  Run();
  EXPECT_GT(Records("Bnd_roads"), 0u);
  EXPECT_TRUE(selection_.col_return.empty());  // released after the conversion
  // Bnd_roads. and any extension go; other names stay, and so does another case on POSIX.
  const bool case_blind = base::kFileNamesIgnoreCase;
  for (const auto& [name, kept] : {std::pair{"Bnd_roads.txt", false},
                                   {"Bnd_roads.shp.xml", false},
                                   {"Bnd_roads2.shp", true},
                                   {"bnd_ROADS.txt", !case_blind}}) {
    EXPECT_EQ(fs::exists(Out(name)), kept) << name;
  }
}

TEST_F(RunConversionTest, OneSetPerBoundaryAsksOnlyWhenTheFrontEndWantsItAsked) {
  selection_.one_file_per_boundary = true;
  struct Row {
    bool ask;
    Answer answer;
    Texts messages;
    bool replaced;
  } rows[] = {
      {false, Answer::kNo, {kFinishedBox}, true},  // the window asks nothing in this mode
      {true, Answer::kNo, {Question(Out("County frame.shp"))}, false},
      {true, Answer::kYes, {Question(Out("County frame.shp")), kFinishedBox}, true},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.messages.front());
    WriteFileBytes(Out("Bnd_roads.shp"), "old");
    WriteFileBytes(Out("County frame.shp"), "old");
    SelectAll();
    ui_.boundary_ticked = true;
    ui_.answers = {row.answer};
    Run({.ask_before_each_boundary_set = row.ask});
    EXPECT_EQ(ui_.messages, row.messages);
    EXPECT_EQ(ReadFileBytes(Out("Bnd_roads.shp")), "old");
    EXPECT_EQ(ReadFileBytes(Out("County frame.shp")) != "old", row.replaced);
    EXPECT_FALSE(ui_.boundary_ticked);
  }
}

TEST_F(RunConversionTest, PathsThatAreNotThereAndADestinationWithoutAFolderAreRefused) {
  struct Row {
    std::string server_folder;
    std::string destination;
    std::string box;
    bool boundaries = false;
    bool run_export = true;
  } rows[] = {
      {folder_.Path("none"), Out("roads.shp"),
       "critical: Server path incorrect!\r\n" + folder_.Path("none")},
      {folder_.Path("out"), Out("roads.shp"),
       "critical: Not found GEO folder in \r\n" + folder_.Path("out")},
      {folder_.Path("Server"), folder_.Path("none") + kSep + "roads",
       "critical: Destination path incorrect!\r\n" + folder_.Path("none") + kSep + "roads"},
      {folder_.Path("Server"), "roads", "critical: Destination path incorrect!\r\nroads"},
      {folder_.Path("Server"), "zones", "critical: Destination path incorrect!\r\nzones", true},
      {folder_.Path("Server"), "", "critical: Destination path incorrect!\r\n", true},
      // Last, as the failed export releases the selection. Only the export program reads GEO:
      // without it, DYN is all that is looked at.
      {folder_.Path("out"), Out("roads.shp"),
       "critical \"Db2asc error\": Incompatible dictionary file.", false, false},
  };
  // A folder the user did not name is not touched, not even to clear a killed run's leftover.
  const fs::path leftover = fs::current_path() / "~routix2shp-1.tmp";
  testing::WriteFileBytes(leftover, "what a killed run left");
  for (const Row& row : rows) {
    SCOPED_TRACE(row.box);
    (row.boundaries ? ui_.boundary_ticked : ui_.geocode_ticked) = true;
    ui_.server_folder = row.server_folder;
    ui_.destination = row.destination;
    Run({.run_export = row.run_export});
    EXPECT_EQ(ui_.messages, Texts{row.box});
    EXPECT_EQ(ui_.geocode_ticked || ui_.boundary_ticked, row.boundaries);
    ui_.boundary_ticked = false;
  }
  EXPECT_FALSE(fs::exists("Bnd_zones.shp"));
  EXPECT_TRUE(fs::exists(leftover));
  fs::remove(leftover);
}

TEST_F(RunConversionTest, TheSetADestinationNamesIsReplacedOnYesAndBrowsedOnNo) {
  WriteFileBytes(Out("roads.shp"), "old");
  // Typed without ".shp" (Enter before the field is tidied) or with it in upper case, the
  // destination still names roads.shp, which is what the question asks about.
  for (const char* typed : {"roads.shp", "roads", "roads.SHP"}) {
    SCOPED_TRACE(typed);
    ui_.geocode_ticked = true;
    ui_.destination = Out(typed);
    ui_.answers = {Answer::kNo};
    ui_.on_browse = [&] { ui_.destination = Out("other.shp"); };
    Run();
    EXPECT_EQ(ui_.messages, Texts{Question(Out("roads.shp"))});
    EXPECT_EQ(ui_.log, (Texts{"message", "browse", "untick geo"}));
    EXPECT_EQ(ReadFileBytes(Out("roads.shp")), "old");
    EXPECT_FALSE(fs::exists(Out("other.shp")));
  }
  ui_.geocode_ticked = true;
  ui_.destination = Out("roads");
  ui_.answers = {Answer::kYes};
  const RunResult result = Run();
  EXPECT_EQ(static_cast<size_t>(result.street_records), Records("roads"));
  EXPECT_GT(Records("roads"), 0u);
}

TEST_F(RunConversionTest, AnExportProgramThatEndsWithAnotherStatusThanZeroFails) {
  if (kSep != '/') GTEST_SKIP() << "the stand-in is a shell script";
  const fs::path pro = folder_.path() / "tools";
  fs::create_directories(pro);
  testing::WriteFileBytes(pro / "db2asc.exe",
                          "#!/bin/sh\nprintf 'a first part' > ../DYN/Mapfil.asc\nexit 3\n");
  fs::permissions(pro / "db2asc.exe", fs::perms::owner_exec, fs::perm_options::add);
  fake_.services.tool_folder = pro.string();
  ui_.geocode_ticked = true;
  EXPECT_FALSE(Run().finished);
  EXPECT_EQ(ui_.messages, Texts{"critical \"Db2asc error\": Incompatible dictionary file.\r\n"
                                "The export program ended with status 3."});
  EXPECT_FALSE(fs::exists(Out("roads.shp")));
}

TEST_F(RunConversionTest, OnlyAnExportWrittenByThisRunIsConverted) {
  fake_.services.tool_folder = folder_.Path("no tools here");  // PRO stays empty
  const fs::path server = folder_.path() / "Server";
  fs::create_directories(server / "PRO");
  // Nothing in DYN, whether the export runs or not; then the exports of an earlier run, which
  // an export that writes nothing leaves as they were.
  for (auto [earlier_exports, run_export] :
       {std::pair{false, false}, {false, true}, {true, true}}) {
    SCOPED_TRACE(std::string(earlier_exports ? "earlier exports" : "empty DYN") +
                 (run_export ? ", export run" : ", no export run"));
    if (earlier_exports) {
      for (const sample::StreetDataFile& file : sample::kStreetDataFiles) {
        fs::copy_file(server / "GEO" / file.data_name, server / "DYN" / file.export_name,
                      fs::copy_options::skip_existing);
      }
    }
    ui_.geocode_ticked = true;
    Run({.run_export = run_export});
    EXPECT_EQ(ui_.messages, Texts{"critical \"Db2asc error\": Incompatible dictionary file."});
    EXPECT_FALSE(ui_.geocode_ticked);
    EXPECT_EQ(fake_.status.texts.back(), "Finished !");
    EXPECT_EQ(fs::exists(server / "PRO" / "g.cfg"), run_export);
    EXPECT_FALSE(fs::exists(Out("roads.shp")));
  }

  // Without the export run the exports already in DYN are converted.
  ui_.geocode_ticked = true;
  EXPECT_TRUE(Run({.run_export = false}).finished);
  EXPECT_GT(Records("roads"), 0u);
}

TEST_F(RunConversionTest, BothRunBoundariesFirstOnTheUntidiedPathsOfTheEnterKeyAndFinishOnce) {
  ui_.boundary_ticked = ui_.geocode_ticked = true;
  ui_.server_folder += kSep;
  ui_.destination = Out("roads");  // no ".shp" yet
  fake_.progress.SetValue(5);
  const RunResult result = Run();
  EXPECT_TRUE(result.finished);
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
  EXPECT_EQ(static_cast<size_t>(result.street_records), Records("roads"));
  EXPECT_EQ(static_cast<size_t>(result.boundaries.records), Records("Bnd_roads"));
  EXPECT_EQ(result.boundaries.sets, 1);
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

TEST_F(RunConversionTest, AnErrorInsideAConversionIsShownClearsTheDisplayAndFinishesNothing) {
  ui_.boundary_ticked = ui_.geocode_ticked = true;
  fs::create_directories(Out("Bnd_roads.shp"));  // a folder where the set's main file goes
  fake_.progress.SetValue(90);
  EXPECT_FALSE(Run().finished);
  EXPECT_EQ(fake_.progress.value(), 0);
  ASSERT_EQ(ui_.messages.size(), 1u);
  EXPECT_EQ(ui_.messages[0].rfind("critical: ", 0), 0u);
  EXPECT_NE(ui_.messages[0].find("Bnd_roads.shp"), std::string::npos) << ui_.messages[0];
  EXPECT_EQ(ui_.log, (Texts{"busy on", "busy off", "message"}));
  EXPECT_EQ(fake_.status.texts.back(), "");  // not "Converting Dat file to shape file ..."
  EXPECT_TRUE(ui_.boundary_ticked);          // Go can try again
  EXPECT_TRUE(ui_.geocode_ticked);
  EXPECT_FALSE(selection_.col_return.empty());
  EXPECT_FALSE(fs::exists(Out("roads.shp")));
}

TEST(RunConversion, AServerFolderWithADoubleQuoteIsRefusedBeforeAnythingIsTouched) {
  testing::MemoryFileSystem memory;  // Windows has no such folder; elsewhere it may be there
  const std::string server = testing::Native("/srv/a\"b");
  memory.CreateFolders(server + testing::Native("/GEO"));
  memory.CreateFolders(testing::Native("/out"));
  const auto before = memory.Snapshot("");
  testing::FakeServices fake(memory);
  testing::ScriptedUi ui;
  ui.geocode_ticked = true;
  ui.server_folder = server;
  ui.destination = testing::Native("/out/roads.shp");
  boundaries::BoundarySelection selection;
  EXPECT_FALSE(RunConversion(ui, selection, fake.services).finished);
  EXPECT_EQ(
      ui.messages,
      Texts{"critical: The Server folder's name may not hold a double quote (\"):\r\n" + server});
  EXPECT_FALSE(ui.geocode_ticked);
  EXPECT_EQ(memory.Snapshot(""), before);
}

}  // namespace
}  // namespace routix::app
