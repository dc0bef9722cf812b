// Whole boundary conversions of small hand-made DYN folders.
#include "boundaries/boundary_conversion.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <limits>
#include <string>
#include <vector>

#include "base/file_system_service.h"
#include "base/path_utils.h"
#include "platform/native_separator.h"
#include "support/boundary_bytes.h"
#include "support/case_table.h"
#include "support/checks.h"
#include "support/fake_services.h"
#include "support/shapefile_reader.h"
#include "support/temp_folder.h"

namespace routix::boundaries {
namespace {

namespace fs = std::filesystem;
using testing::BlockBytes;
using testing::Contains;
using testing::ErrorOf;
using testing::Node;
using testing::ReadFileBytes;
using testing::ReadPoint;
using testing::ReadSet;
using testing::ReadShapefileSet;
using testing::RecordBytes;
using testing::WriteFileBytes;

const char kSep = platform::kNativeSeparator;

// A Server folder's DYN beside an output folder, and one run of the conversion between them.
class Conversion {
 public:
  Conversion() {
    fs::create_directories(root_.path() / "DYN");
    fs::create_directories(root_.path() / "out");
  }
  void WriteDyn(const std::string& records, const std::string& blocks = "") {
    WriteFileBytes(root_.path() / "DYN" / "Rxybnd.dat", records);
    WriteFileBytes(root_.path() / "DYN" / "Rxybxt.dat", blocks);
  }
  // Into out/, or folder, with the one set Bnd_zones.
  BoundaryConversionResult Run(std::vector<std::string> ordinals, int16_t shape_type,
                               bool one_file_per_boundary, std::string folder = "") {
    BoundarySelection selection{std::move(ordinals), shape_type, one_file_per_boundary};
    if (folder.empty()) folder = Out("");
    return ConvertBoundaries(root_.Path("DYN"),
                             {folder, base::NormalizePath(folder + kSep + "Bnd_zones")}, selection,
                             fake_.services);
  }
  std::string Dyn() const { return root_.Path("DYN"); }
  std::string Out(const std::string& name) const { return (root_.path() / "out" / name).string(); }
  testing::FakeServices& fake() { return fake_; }

 private:
  testing::TempFolder root_;
  testing::FakeServices fake_;
};

std::string Padded(const std::string& text, size_t width) {
  return text + std::string(width - text.size(), ' ');
}

TEST(ConvertBoundaries, OneSetHoldsEverySelectedOutlineClosedAndClockwise) {
  const Node a{0, 0}, b{0, 1}, c{1, 1}, d{1, 0};
  const std::string records =
      RecordBytes(4, "Ccw", {a, d, c, b}) + RecordBytes(4, "Cw", {a, b, c, d}) +
      RecordBytes(6, "Repeats", {a, a, b, b, c, a}) + RecordBytes(1, "Single", {a}) +
      RecordBytes(4, "Not selected", {a, b, c, d}) + RecordBytes(4, "Dot", {c, c, c, c}) +
      RecordBytes(2, "Pair", {{1, 1}, {3, 1}}) + RecordBytes(0, "Zero", {a, b}) +
      RecordBytes(-3, "Negative", {a, b, c}) +
      RecordBytes(3, std::string("  Harbour\0\0", 11), {a, b, c});
  for (int16_t shape_type : {int16_t{5}, int16_t{3}}) {
    SCOPED_TRACE(shape_type);
    Conversion conversion;
    conversion.WriteDyn(records);
    BoundaryConversionResult result =
        conversion.Run({"1", "2", "3", "4", "6", "7", "8", "9", "10"}, shape_type, false);
    EXPECT_EQ(result.sets, 1);
    EXPECT_EQ(result.records, 6);
    EXPECT_EQ(result.left_out, 3);  // Single, Zero and Negative

    // Ccw reversed, then closed on its new first point; Repeats already ends on its first
    // node; Harbour's description trimmed before its NUL bytes.
    for (const std::string name :
         {"Bnd_zones.shp", "Bnd_zones.shx", "Bnd_zones.dbf", "Report.err"}) {
      const std::string expected = "boundaries/outlines/" + std::to_string(shape_type) + name;
      EXPECT_EQ(ReadFileBytes(conversion.Out(name)), testing::DataFileBytes(expected)) << name;
    }
    EXPECT_EQ(conversion.fake().progress.maximum(), 10);
    EXPECT_EQ(conversion.fake().progress.highest_value, 10);
    EXPECT_EQ(conversion.fake().status.texts,
              std::vector<std::string>{"Converting Dat file to shape file ..."});
  }
}

TEST(ConvertBoundaries, OneSetPerBoundaryIsNamedAfterItsDescriptionInThePlatformsFileNames) {
  Conversion conversion;
  conversion.WriteDyn(RecordBytes(2, "Z\xFCrich \x80", {{1, 2}, {3, 4}}) +
                      RecordBytes(1, "Single", {{1, 2}}) + RecordBytes(2, "Skipped", {{1, 2}}) +
                      RecordBytes(2, "Z\xDCRICH \x80", {{1, 2}, {3, 4}}));
  const BoundarySelection selection{{"1", "2", "4"}, 3, true};
  const std::vector<std::string> bases = PerBoundaryOutputBases(
      conversion.fake().native_files, conversion.Dyn(), conversion.Out(""), selection);
  const BoundaryConversionResult result = conversion.Run(selection.col_return, 3, true);
  EXPECT_EQ(result.sets, 2);
  EXPECT_EQ(result.left_out, 1);
  const base::FileSystemService& files = conversion.fake().file_system;
  const std::vector<std::string> names = {"Z\u00FCrich \u20AC", "Z\u00DCRICH \u20AC_001"};
  ASSERT_EQ(bases.size(), names.size());  // what the run writes is what was foretold
  for (size_t i = 0; i < names.size(); ++i) {
    EXPECT_EQ(bases[i], conversion.Out("") + names[i]);
    EXPECT_TRUE(files.FileExists(bases[i] + ".shp")) << names[i];
  }
}

TEST(ConvertBoundaries, TheExtremeNodeCountsAndAPartialLastRecordGiveTheDocumentedSet) {
  constexpr int16_t kMost = 32767;
  const std::vector<Node> nodes = testing::Nodes(1, kMost);  // a straight run without area
  std::string blocks;
  for (size_t first = 191, b = 0; first < nodes.size(); first += 63, ++b) {
    const size_t last = std::min(first + 63, nodes.size());
    const bool more = last < nodes.size();
    blocks += BlockBytes({nodes.begin() + first, nodes.begin() + last},
                         more ? static_cast<int16_t>(b + 1) : int16_t{-1});
  }
  Conversion conversion;
  conversion.WriteDyn(RecordBytes(kMost, "Most", nodes, 0) +
                          RecordBytes(-32768, "Least", {{0, 0}, {1, 1}}) +
                          std::string(1000, '\x7F'),  // a partial record is no record
                      blocks);
  BoundaryConversionResult result = conversion.Run({"1", "2", "3"}, 5, false);
  EXPECT_EQ(result.records, 1);
  EXPECT_EQ(conversion.fake().progress.maximum(), 2);
  ReadSet set = ReadShapefileSet(conversion.Out("Bnd_zones"));
  ASSERT_EQ(set.records.size(), 1u);
  const std::vector<ReadPoint>& points = set.records[0].points;
  ASSERT_EQ(points.size(), size_t{kMost} + 1);  // closed on its first node
  for (size_t k = 0; k < nodes.size(); ++k) {
    ASSERT_EQ(points[k], (ReadPoint{nodes[k].x, nodes[k].y})) << k;
  }
  EXPECT_EQ(points.back(), points.front());
  EXPECT_EQ(set.rows[0][0], Padded("1", 16));
}

TEST(ConvertBoundaries, ARunThatConvertsNothingStillClosesTheOneSetAndDropsTheOldReport) {
  struct Row {
    const char* what;
    std::string records;
    int32_t progress_maximum;
    int32_t left_out;
  } rows[] = {
      {"no record at all", "", 100, 0},  // the bar keeps the maximum it had
      {"nothing selected converts", RecordBytes(1, "Single", {{1, 1}}), 1, 1},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    Conversion conversion;
    conversion.WriteDyn(row.records);
    WriteFileBytes(conversion.Out("Report.err"), "an earlier run's lines\r\n");
    BoundaryConversionResult result = conversion.Run({"1"}, 5, false);
    EXPECT_EQ(result.sets, 1);
    EXPECT_EQ(result.records, 0);
    EXPECT_EQ(result.left_out, row.left_out);
    EXPECT_TRUE(ReadShapefileSet(conversion.Out("Bnd_zones")).records.empty());
    EXPECT_FALSE(fs::exists(conversion.Out("Report.err")));
    EXPECT_EQ(conversion.fake().progress.maximum(), row.progress_maximum);
  }
}

TEST(ConvertBoundaries, ABrokenChainOrANodeNotANumberStopsTheRunAndEveryEarlierFileStays) {
  const std::string good = RecordBytes(3, "Good", {{0, 0}, {0, 1}, {1, 1}});
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float inf = std::numeric_limits<float>::infinity();
  struct Row {
    std::string records, message;
  } rows[] = {
      {good + RecordBytes(300, "Broken", {{0, 0}, {0, 1}}, 5),
       "boundary 2 (Broken) continues in block 5"},
      {good + RecordBytes(3, "Odd", {{0, 0}, {nan, 1}, {1, 1}}),
       "Rxybnd.dat: boundary 2 (Odd) has node 2, whose coordinates are not finite numbers"},
      {good + RecordBytes(3, "Far", {{0, 0}, {1, 1}, {0, -inf}}),
       "Rxybnd.dat: boundary 2 (Far) has node 3, whose"},
  };
  for (const auto& [records, message] : rows)
    for (bool one_file_per_boundary : {false, true}) {
      SCOPED_TRACE(one_file_per_boundary);
      Conversion conversion;
      conversion.WriteDyn(records, std::string(512, '\0'));
      for (const char* name : {"Bnd_zones.shp", "Good.shp", "Report.err"}) {
        WriteFileBytes(conversion.Out(name), "earlier");
      }
      auto run = [&] { conversion.Run({"1", "2"}, 5, one_file_per_boundary); };
      EXPECT_TRUE(Contains(ErrorOf(run), message));
      std::vector<std::string> names;
      for (const auto& entry : fs::directory_iterator(conversion.Out(""))) {
        names.push_back(entry.path().filename().string());
        EXPECT_EQ(ReadFileBytes(entry.path()), "earlier");
      }
      std::sort(names.begin(), names.end());
      EXPECT_EQ(names, (std::vector<std::string>{"Bnd_zones.shp", "Good.shp", "Report.err"}));
    }
}

TEST(ConvertBoundaries, AnOutputThatCannotBeMadeStopsTheRunNamingTheFile) {
  struct Row {
    const char* what;
    bool one_file_per_boundary;
    std::string folder;   // relative to out/
    std::string refused;  // the file the message names, relative to out/
  } rows[] = {
      {"read-only old report", false, "", "Report.err"},
      {"missing folder", false, "missing", "missing"},
      {"a folder of the set's name", true, "", "North.shp"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    Conversion conversion;
    conversion.WriteDyn(RecordBytes(2, "North", {{1, 2}, {3, 4}}));
    WriteFileBytes(conversion.Out("Report.err"), "");
    fs::permissions(conversion.Out("Report.err"),
                    row.refused == "Report.err" ? fs::perms::owner_read : fs::perms::owner_all);
    fs::create_directories(conversion.Out("North.shp"));
    auto run = [&] {
      conversion.Run({"1"}, 5, row.one_file_per_boundary, conversion.Out(row.folder));
    };
    EXPECT_TRUE(Contains(ErrorOf(run), conversion.Out(row.refused)));
  }
}

}  // namespace
}  // namespace routix::boundaries
