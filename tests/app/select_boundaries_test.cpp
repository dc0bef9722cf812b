#include "app/select_boundaries.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "base/system_paths.h"
#include "support/boundary_bytes.h"
#include "support/fake_services.h"
#include "support/scripted_ui.h"
#include "support/temp_folder.h"

namespace routix::app {
namespace {

namespace fs = std::filesystem;
using testing::RecordBytes;
using testing::WriteFileBytes;
using Texts = std::vector<std::string>;

const char kSep = base::kNativeSeparator;

// A Server folder whose DYN holds what a test writes, and the boundary box ticked on it, with
// a selection kept from an earlier OK.
class SelectBoundariesTest : public ::testing::Test {
 protected:
  SelectBoundariesTest() {
    fs::create_directories(folder_.path() / "DYN");
    ui_.server_folder = folder_.path().string() + kSep;  // as the folder dialog leaves it
    ui_.boundary_ticked = true;
    selection_ = {{"9"}, 3, true};
  }
  void WriteDyn(const std::string& records, bool with_extension_file) {
    WriteFileBytes(folder_.path() / "DYN" / "Rxybnd.dat", records);
    if (with_extension_file) WriteFileBytes(folder_.path() / "DYN" / "Rxybxt.dat", "");
  }
  void Tick() { SelectBoundaries(ui_, selection_, fake_.services); }
  std::string Kept() const {
    std::string text;
    for (const std::string& ordinal : selection_.col_return) text += ordinal + ",";
    return text + " type " + std::to_string(selection_.boundary_shape_type) +
           (selection_.one_file_per_boundary ? ", each" : ", one");
  }
  std::string DynMessage(const char* file) const {
    return "critical: Not found " + std::string(file) + " file in directory: \r\n" +
           folder_.path().string() + kSep + "DYN" + kSep;
  }

  testing::TempFolder folder_;
  testing::FakeServices fake_;
  testing::ScriptedUi ui_;
  boundaries::BoundarySelection selection_;
};

TEST_F(SelectBoundariesTest, AnUntickedBoxDoesNothing) {
  ui_.boundary_ticked = false;
  Tick();
  EXPECT_TRUE(ui_.log.empty());
  EXPECT_EQ(Kept(), "9, type 3, each");
}

TEST_F(SelectBoundariesTest, WithoutRxybndTheBoxIsUntickedAndNoDialogOpens) {
  Tick();
  EXPECT_EQ(ui_.messages, Texts{DynMessage("Rxybnd.dat")});
  EXPECT_EQ(ui_.log, (Texts{"message", "untick dat"}));
  EXPECT_EQ(Kept(), "9, type 3, each");
}

TEST_F(SelectBoundariesTest, TheDialogListsBoundariesWithNodesAndItsOkBecomesTheSelection) {
  WriteDyn(RecordBytes(4, std::string("No\0rth", 6), {}) + RecordBytes(0, "Empty", {}) +
               RecordBytes(-3, "Bad", {}) + RecordBytes(191, "  Z\xFCrich  ", {}),
           false);  // 191 nodes fit in a record: no Rxybxt.dat needed
  ui_.pick = boundaries::BoundarySelection{{"4"}, 5, false};
  Tick();
  // Shown as the output writes it: a NUL inside cuts nothing off.
  EXPECT_EQ(ui_.rows_shown, (Texts{"1|North|4", "4|Z\xFCrich|191"}));
  EXPECT_EQ(ui_.log, Texts{"pick"});
  EXPECT_EQ(Kept(), "4, type 5, one");

  ui_.pick.reset();  // Cancel: no boundary, the settings of the last OK
  Tick();
  EXPECT_EQ(Kept(), " type 5, one");
  EXPECT_TRUE(ui_.boundary_ticked);
}

TEST_F(SelectBoundariesTest, ALongBoundaryWithoutRxybxtIsRefusedAndTheBoxStaysTicked) {
  WriteDyn(RecordBytes(4, "North", {}) + RecordBytes(192, "Long", {}), false);
  Tick();
  EXPECT_EQ(ui_.messages, Texts{DynMessage("Rxybxt.dat")});
  EXPECT_EQ(ui_.log, Texts{"message"});
  EXPECT_EQ(Kept(), " type 3, each");  // no selection, the settings kept
  EXPECT_TRUE(ui_.boundary_ticked);

  WriteDyn(RecordBytes(4, "North", {}) + RecordBytes(192, "Long", {}), true);
  Tick();
  EXPECT_EQ(ui_.rows_shown, (Texts{"1|North|4", "2|Long|192"}));
}

}  // namespace
}  // namespace routix::app
