#include "shapefile/shapefile_set.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "base/conversion_error.h"
#include "base/cp1252.h"
#include "platform/file_path.h"
#include "platform/native_separator.h"
#include "streets/street_table.h"
#include "support/shapefile_reader.h"
#include "support/temp_folder.h"

namespace routix::shapefile {
namespace {

namespace fs = std::filesystem;
using testing::ReadFileBytes;
using testing::TempFolder;
using testing::WriteFileBytes;

constexpr base::Date kDate{2026, 12, 6};
constexpr FieldSpec kBoundaryTable[] = {{"ID", 'C', 16}, {"Descr", 'C', 60}};

// Bytes written as hexadecimal pairs, blanks between them ignored.
std::string Hex(std::string_view pairs) {
  std::string bytes;
  for (size_t i = 0; i < pairs.size(); ++i) {
    if (pairs[i] == ' ') continue;
    bytes += static_cast<char>(std::stoi(std::string(pairs.substr(i, 2)), nullptr, 16));
    ++i;
  }
  return bytes;
}

std::string Zeros(size_t n) { return std::string(n, '\0'); }

// An IEEE double given by its bit pattern in hexadecimal, stored little-endian.
std::string Double(std::string_view bits) {
  std::string big = Hex(bits);
  return std::string(big.rbegin(), big.rend());
}

std::string Text(std::string_view text, size_t width) {
  std::string padded(text);
  padded.resize(width, ' ');
  return padded;
}

// The 100-byte main or index file header of a polyline set.
std::string PolyLineHeader(std::string_view file_length, std::string_view box) {
  return Hex("00 00 27 0A") + Zeros(20) + Hex(file_length) + Hex("E8 03 00 00 03 00 00 00") +
         std::string(box) + Zeros(32);
}

std::string BoundaryDbfHeader(std::string_view record_count) {
  return Hex("03 7E 0C 06") + Hex(record_count) + Hex("61 00 4D 00") + Zeros(20) + "ID" + Zeros(9) +
         "C" + Zeros(4) + Hex("10 00") + Zeros(14) + "Descr" + Zeros(6) + "C" + Zeros(4) +
         Hex("3C 00") + Zeros(14) + Hex("0D");
}

TEST(ShapefileSet, AnEmptySetIsExactlyItsHeaders) {
  TempFolder folder;
  OpenShapefileSet(folder.Path("empty.shp"), kPolyLine, kBoundaryTable, kDate).Close();

  std::string header = PolyLineHeader("00 00 00 32", Zeros(32));
  EXPECT_EQ(ReadFileBytes(folder.Path("empty.shp")), header);
  EXPECT_EQ(ReadFileBytes(folder.Path("empty.shx")), header);
  EXPECT_EQ(ReadFileBytes(folder.Path("empty.dbf")), BoundaryDbfHeader("00 00 00 00") + "\x1A");
  EXPECT_EQ(ReadFileBytes(folder.Path("empty.cpg")), "1252");
}

TEST(ShapefileSet, TwoPolyLineRecordsByteForByte) {
  TempFolder folder;
  ShapefileSet set = OpenShapefileSet(folder.Path("two.shp"), kPolyLine, kBoundaryTable, kDate);
  std::vector<ShapePoint> first = {{1, 2}, {3, 4}};
  std::vector<ShapePoint> second = {{-1, 0.5}, {2, 8}, {0, -3}};
  std::vector<std::string_view> north = {"1", "North"};
  std::vector<std::string_view> south = {" 2 ",
                                         "S\xFC"
                                         "d"};
  set.WriteFeature(first, north);
  set.WriteFeature(second, south);
  set.Close();

  const std::string one = Double("3FF0000000000000"), two = Double("4000000000000000"),
                    three = Double("4008000000000000"), four = Double("4010000000000000"),
                    minus_one = Double("BFF0000000000000"), half = Double("3FE0000000000000"),
                    eight = Double("4020000000000000"), zero = Zeros(8),
                    minus_three = Double("C008000000000000");
  std::string header_box = minus_one + minus_three + three + eight;
  std::string record1 = Hex("00 00 00 01 00 00 00 28 03 00 00 00") + one + two + three + four +
                        Hex("01 00 00 00 02 00 00 00 00 00 00 00") + one + two + three + four;
  std::string record2 = Hex("00 00 00 02 00 00 00 30 03 00 00 00") + minus_one + minus_three + two +
                        eight + Hex("01 00 00 00 03 00 00 00 00 00 00 00") + minus_one + half +
                        two + eight + zero + minus_three;
  EXPECT_EQ(ReadFileBytes(folder.Path("two.shp")),
            PolyLineHeader("00 00 00 92", header_box) + record1 + record2);
  EXPECT_EQ(ReadFileBytes(folder.Path("two.shx")), PolyLineHeader("00 00 00 3A", header_box) +
                                                       Hex("00 00 00 32 00 00 00 28") +
                                                       Hex("00 00 00 5E 00 00 00 30"));
  EXPECT_EQ(ReadFileBytes(folder.Path("two.dbf")), BoundaryDbfHeader("02 00 00 00") + " " +
                                                       Text("1", 16) + Text("North", 60) + " " +
                                                       Text("2", 16) +
                                                       Text("S\xFC"
                                                            "d",
                                                            60) +
                                                       "\x1A");
}

TEST(ShapefileSet, StreetTableLengthsFollowFromItsWidths) {
  TempFolder folder;
  ShapefileSet set =
      OpenShapefileSet(folder.Path("s.shp"), kPolyLine, streets::StreetFields(), kDate);
  std::vector<std::string_view> values(25, "");
  std::vector<ShapePoint> points = {{0, 0}, {1, 1}};
  for (int i = 0; i < 10; ++i) set.WriteFeature(points, values);
  EXPECT_EQ(set.run_state().next_offset, 50 + 10 * 44);  // two points: 40 words and a header
  set.Close();
  std::string dbf = ReadFileBytes(folder.Path("s.dbf"));
  EXPECT_EQ(dbf.size(), 833u + 1880u + 1u);
  EXPECT_EQ(dbf.substr(8, 4), Hex("41 03 BC 00"));    // header length 833, record length 188
  EXPECT_EQ(dbf.substr(833, 15), "              0");  // blank number: "0", right-aligned
}

TEST(ShapefileSet, HeaderBoxIsTheUnionOfAllRecordBoxesAndEveryIndexStartsAt50) {
  TempFolder folder;
  for (int set_number = 0; set_number < 2; ++set_number) {
    std::string path = folder.Path("b" + std::to_string(set_number) + ".shp");
    ShapefileSet set = OpenShapefileSet(path, kPolygon, kBoundaryTable, kDate);
    std::vector<std::vector<ShapePoint>> features = {
        {{5, 5}, {6, 6}}, {{-9, 7}, {0, 0}}, {{1, -4}, {100, 2}}, {{3, 3}}};
    for (const auto& points : features) set.WriteFeature(points, {{"1", "x"}});
    set.Close();
    testing::ReadSet read =
        testing::ReadShapefileSet(folder.Path("b" + std::to_string(set_number)));
    EXPECT_EQ(read.box[0], -9);
    EXPECT_EQ(read.box[1], -4);
    EXPECT_EQ(read.box[2], 100);
    EXPECT_EQ(read.box[3], 7);
    EXPECT_EQ(ReadFileBytes(path.substr(0, path.size() - 4) + ".shx").substr(100, 4),
              Hex("00 00 00 32"));
  }
}

TEST(ShapefileSet, ReplacesOldFilesWholeAndRemovesOnlyTheirSpatialIndex) {
  TempFolder folder;
  // The second name holds bytes where Windows-1252 and Latin-1 part ways.
  for (const std::string& name : {std::string("roads"), base::FileNameFromAnsi("Zone \x80\x8A")}) {
    SCOPED_TRACE(name);
    const std::string base = folder.path().string() + platform::kNativeSeparator + name;
    auto file = [&](const char* ending) { return platform::FilePath(base + ending); };
    for (const char* ending : {".shp", ".shx", ".dbf", ".cpg"}) {
      WriteFileBytes(file(ending), std::string(5000, 'o'));
    }
    for (const char* ending : {".qix", ".sbn", ".sbx", ".prj", "2.qix"}) {
      WriteFileBytes(file(ending), "old");
    }
    OpenShapefileSet(base + ".shp", kPolyLine, kBoundaryTable, kDate).Close();

    EXPECT_EQ(fs::file_size(file(".shp")), 100u);
    EXPECT_EQ(fs::file_size(file(".dbf")), 98u);
    EXPECT_EQ(ReadFileBytes(file(".cpg")), "1252");
    EXPECT_FALSE(fs::exists(file(".qix")));
    EXPECT_FALSE(fs::exists(file(".sbn")));
    EXPECT_FALSE(fs::exists(file(".sbx")));
    EXPECT_TRUE(fs::exists(file(".prj")));
    EXPECT_TRUE(fs::exists(file("2.qix")));
  }
}

TEST(ShapefileSet, OnlyAShpEndingInAnyCaseIsCutFromThePath) {
  TempFolder folder;
  OpenShapefileSet(folder.Path("roads"), kPolyLine, kBoundaryTable, kDate).Close();
  OpenShapefileSet(folder.Path("zones.SHP"), kPolyLine, kBoundaryTable, kDate).Close();
  OpenShapefileSet(folder.Path("lines.shp.bak"), kPolyLine, kBoundaryTable, kDate).Close();
  EXPECT_TRUE(fs::exists(folder.Path("roads.shp")));
  EXPECT_TRUE(fs::exists(folder.Path("zones.shp")));
  EXPECT_TRUE(fs::exists(folder.Path("lines.shp.bak.dbf")));
  EXPECT_FALSE(fs::exists(folder.Path("ro.shp")));
}

TEST(ShapefileSet, AFeaturePastTheWordLimitIsRefusedAndTheSetKeepsTheOnesBefore) {
  TempFolder folder;
  // Room for the header and two two-point records (44 words each), not for a third.
  ShapefileSet set = OpenShapefileSetWithLimit(folder.Path("full.shp"), kPolyLine, kBoundaryTable,
                                               kDate, 50 + 2 * 44 + 43);
  std::vector<ShapePoint> points = {{0, 0}, {1, 1}};
  set.WriteFeature(points, {{"1", "a"}});
  set.WriteFeature(points, {{"2", "b"}});
  try {
    set.WriteFeature(points, {{"3", "c"}});
    FAIL() << "third feature accepted";
  } catch (const base::ConversionError& error) {
    std::string message = error.what();
    EXPECT_NE(message.find(folder.Path("full.shp")), std::string::npos) << message;
    EXPECT_NE(message.find("181"), std::string::npos) << message;  // the limit
  }
  testing::ReadSet read = testing::ReadShapefileSet(folder.Path("full"));
  EXPECT_EQ(read.records.size(), 2u);
  EXPECT_EQ(read.rows.size(), 2u);
}

TEST(ShapefileSet, ASetDroppedWithoutCloseStillHasMatchingHeaders) {
  TempFolder folder;
  {
    ShapefileSet set = OpenShapefileSet(folder.Path("open.shp"), kPolygon, kBoundaryTable, kDate);
    std::vector<ShapePoint> points = {{0, 0}, {0, 1}, {1, 1}, {0, 0}};
    for (int i = 0; i < 3; ++i) set.WriteFeature(points, {{"1", "a"}});
  }
  EXPECT_EQ(testing::ReadShapefileSet(folder.Path("open")).records.size(), 3u);
}

TEST(ShapefileSet, AFolderThatCannotBeWrittenIsAnErrorNamingTheFile) {
  TempFolder folder;
  std::string path = folder.Path("missing") + platform::kNativeSeparator + "roads.shp";
  try {
    OpenShapefileSet(path, kPolyLine, kBoundaryTable, kDate);
    FAIL() << "created " << path;
  } catch (const base::ConversionError& error) {
    EXPECT_NE(std::string(error.what()).find("roads.shp"), std::string::npos) << error.what();
  }
}

}  // namespace
}  // namespace routix::shapefile
