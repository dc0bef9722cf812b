// Whole conversions of the generated sample boundaries, checked by the test-side reader and
// by GDAL's ogrinfo, in both output modes and both shape types.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "boundaries/boundary_conversion.h"
#include "boundaries/boundary_list.h"
#include "sample_data/sample_boundaries.h"
#include "support/command.h"
#include "support/fake_services.h"
#include "support/shapefile_reader.h"
#include "support/temp_folder.h"

namespace routix::boundaries {
namespace {

namespace fs = std::filesystem;
using testing::ReadFileBytes;
using testing::ReadSet;
using testing::ReadShapefileSet;

// The sample has 38 records, of which three have fewer than two nodes.
constexpr int kSampleRecords = 38;
constexpr int kConverted = 35;
const char* const kSampleExtent =
    "Extent: (490000.000000, 3990000.000000) - (530000.000000, 4030000.000000)";

std::string OgrInfo(const std::string& arguments) {
  testing::CommandResult result = testing::RunCommand("ogrinfo -ro " + arguments);
  EXPECT_EQ(result.exit_status, 0) << result.output;
  return result.output;
}

int Occurrences(const std::string& text, const std::string& part) {
  int count = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

void ExpectContains(const std::string& text, const std::string& part) {
  EXPECT_NE(text.find(part), std::string::npos) << "no \"" << part << "\" in:\n" << text;
}

// Twice the signed area, by the shoelace formula: negative for a clockwise ring.
double SignedArea(const testing::ReadRecord& record) {
  double sum = 0;
  for (size_t i = 0; i + 1 < record.points.size(); ++i) {
    sum +=
        record.points[i].x * record.points[i + 1].y - record.points[i + 1].x * record.points[i].y;
  }
  return sum;
}

void ExpectClosedAndClockwise(const ReadSet& set) {
  for (const testing::ReadRecord& record : set.records) {
    SCOPED_TRACE(record.number);
    EXPECT_EQ(record.points.front(), record.points.back());
    EXPECT_LE(SignedArea(record), 0);
  }
}

class SampleConversion : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(folder_.path() / "DYN");
    fs::create_directories(folder_.path() / "out");
    sample::WriteSampleBoundaries(folder_.Path("DYN"), 1);
    for (const ListedBoundary& listed : ListBoundaries(ReadBoundaryList(folder_.Path("DYN")))) {
      selection_.col_return.push_back(std::to_string(listed.ordinal));
    }
  }
  BoundaryConversionResult Run(int16_t shape_type, bool one_file_per_boundary) {
    selection_.boundary_shape_type = shape_type;
    selection_.one_file_per_boundary = one_file_per_boundary;
    return ConvertBoundaries(folder_.Path("DYN"), Out("zones.shp"), selection_, fake_.services);
  }
  std::string Out(const std::string& name) const {
    return (folder_.path() / "out" / name).string();
  }

  testing::TempFolder folder_;
  testing::FakeServices fake_;
  BoundarySelection selection_;
};

TEST_F(SampleConversion, OneSetHoldsEveryBoundaryOfTwoOrMoreNodes) {
  EXPECT_EQ(selection_.col_return.size(), size_t{kSampleRecords - 2});  // counts 0 and -3 unlisted
  for (int16_t shape_type : {int16_t{5}, int16_t{3}}) {
    SCOPED_TRACE(shape_type);
    BoundaryConversionResult result = Run(shape_type, false);
    EXPECT_EQ(result.records, kConverted);
    EXPECT_EQ(fake_.progress.highest_value, kSampleRecords);

    ReadSet set = ReadShapefileSet(Out("Bnd_zones"));
    ASSERT_EQ(set.records.size(), size_t{kConverted});
    ExpectClosedAndClockwise(set);
    // The frame is stored counter-clockwise from its lower left corner.
    std::vector<testing::ReadPoint> frame = {{490000, 4030000},
                                             {530000, 4030000},
                                             {530000, 3990000},
                                             {490000, 3990000},
                                             {490000, 4030000}};
    EXPECT_EQ(set.records[0].points, frame);

    std::string info = OgrInfo("-al " + testing::ShellQuote(Out("Bnd_zones.shp")));
    ExpectContains(info, shape_type == 5 ? "Geometry: Polygon" : "Geometry: Line String");
    ExpectContains(info, "Feature Count: 35");
    ExpectContains(info, kSampleExtent);
    ExpectContains(info, "ID (String) = 14\n");
    ExpectContains(info, "Descr (String) = Coastline\n");
    ExpectContains(info, "Descr (String) = Z\u00FCrich S\u00FCd\n");  // decoded as the .cpg says
    ExpectContains(info, "Descr (String) = \u00CEle-de-France \u20ACuro\n");
    ExpectContains(
        info, "Descr (String) = A description that fills all sixty characters of the field..\n");

    std::string report = ReadFileBytes(Out("Report.err"));
    ExpectContains(report,
                   "The boundary, ID 16 (Spur), may be laying on top of itself at "
                   "4:499500/4007000 3:499800/4007800\r\n");
    ExpectContains(report, "The boundary, ID 9 (Two nodes), may be laying on top of itself at ");
  }
}

TEST_F(SampleConversion, OneSetPerBoundaryGivesEveryBoundaryAFileOfItsOwn) {
  // On POSIX the file names are UTF-8.
  const std::vector<std::string> names = {"North",
                                          "North_001",
                                          "NORTH_002",
                                          "NONAME",
                                          "NONAME_001",
                                          "NUL_",
                                          "con_",
                                          "What ZoneA",
                                          "Z\u00FCrich S\u00FCd",
                                          "Z\u00DCRICH S\u00DCD_001",
                                          "\u00CEle-de-France \u20ACuro"};
  for (int16_t shape_type : {int16_t{5}, int16_t{3}}) {
    SCOPED_TRACE(shape_type);
    BoundaryConversionResult result = Run(shape_type, true);
    EXPECT_EQ(result.sets, kConverted);
    for (const std::string& name : names) {
      SCOPED_TRACE(name);
      ReadSet set = ReadShapefileSet(Out(name));
      EXPECT_EQ(set.records.size(), 1u);
      EXPECT_EQ(set.shape_type, shape_type);
    }
    int sets = 0;
    for (const fs::directory_entry& entry : fs::directory_iterator(Out(""))) {
      sets += entry.path().extension() == ".shp";
    }
    EXPECT_EQ(sets, kConverted);

    std::string info = OgrInfo("-al -so " + testing::ShellQuote(Out("")));
    EXPECT_EQ(Occurrences(info, "Feature Count: 1\n"), kConverted);
    ExpectContains(OgrInfo("-al " + testing::ShellQuote(Out("County frame.shp"))), kSampleExtent);
  }
}

TEST(SampleBoundaries, TheSameSeedGivesTheSameBytes) {
  testing::TempFolder first, second;
  sample::WriteSampleBoundaries(first.Path(""), 3);
  sample::WriteSampleBoundaries(second.Path(""), 3);
  for (const char* file : {"Rxybnd.dat", "Rxybxt.dat"}) {
    EXPECT_EQ(ReadFileBytes(first.path() / file), ReadFileBytes(second.path() / file)) << file;
  }
}

}  // namespace
}  // namespace routix::boundaries
