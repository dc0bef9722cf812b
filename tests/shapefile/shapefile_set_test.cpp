#include "shapefile/shapefile_set.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "base/cp1252.h"
#include "platform/file_path.h"
#include "platform/native_separator.h"
#include "support/checks.h"
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
  OpenShapefileSet(folder.Path("empty"), kPolyLine, kBoundaryTable, kDate).Close();

  std::string header = PolyLineHeader("00 00 00 32", Zeros(32));
  EXPECT_EQ(ReadFileBytes(folder.Path("empty.shp")), header);
  EXPECT_EQ(ReadFileBytes(folder.Path("empty.shx")), header);
  EXPECT_EQ(ReadFileBytes(folder.Path("empty.dbf")), BoundaryDbfHeader("00 00 00 00") + "\x1A");
  EXPECT_EQ(ReadFileBytes(folder.Path("empty.cpg")), "1252");
}

TEST(ShapefileSet, TwoPolyLineRecordsByteForByte) {
  TempFolder folder;
  ShapefileSet set = OpenShapefileSet(folder.Path("two"), kPolyLine, kBoundaryTable, kDate);
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

TEST(ShapefileSet, ReplacesOldFilesWholeAndRemovesOnlyTheirSpatialIndex) {
  TempFolder folder;
  // The second name holds bytes where Windows-1252 and Latin-1 part ways.
  for (const std::string& name : {std::string("roads"), base::LocalTextFromAnsi("Zone \x80\x8A")}) {
    SCOPED_TRACE(name);
    const std::string base = folder.path().string() + platform::kNativeSeparator + name;
    auto file = [&](const char* ending) { return platform::FilePath(base + ending); };
    for (const char* ending : {".shp", ".shx", ".dbf", ".cpg"}) {
      WriteFileBytes(file(ending), std::string(5000, 'o'));
    }
    for (const char* ending : {".qix", ".sbn", ".sbx", ".prj", "2.qix"}) {
      WriteFileBytes(file(ending), "old");
    }
    OpenShapefileSet(base, kPolyLine, kBoundaryTable, kDate).Close();

    EXPECT_EQ(fs::file_size(file(".shp")), 100u);
    EXPECT_EQ(fs::file_size(file(".dbf")), 98u);
    EXPECT_EQ(ReadFileBytes(file(".cpg")), "1252");
    for (const char* ending : {".qix", ".sbn", ".sbx"}) EXPECT_FALSE(fs::exists(file(ending)));
    EXPECT_TRUE(fs::exists(file(".prj")));
    EXPECT_TRUE(fs::exists(file("2.qix")));
  }
}

TEST(ShapefileSet, ASetThatCannotBeCreatedLeavesTheOldSpatialIndex) {
  TempFolder folder;
  fs::create_directory(folder.Path("roads.dbf"));
  WriteFileBytes(folder.Path("roads.qix"), "old");
  std::string error = testing::ErrorOf(
      [&] { OpenShapefileSet(folder.Path("roads"), kPolyLine, kBoundaryTable, kDate); });
  EXPECT_TRUE(testing::Contains(error, folder.Path("roads.dbf")));
  EXPECT_EQ(ReadFileBytes(folder.Path("roads.qix")), "old");
}

TEST(ShapefileSet, AFeaturePastTheWordLimitIsRefusedAndTheSetKeepsTheOnesBefore) {
  TempFolder folder;
  // Room for the header and two two-point records (44 words each), not for a third.
  ShapefileSet set = OpenShapefileSetWithLimit(folder.Path("full"), kPolyLine, kBoundaryTable,
                                               kDate, 50 + 2 * 44 + 43);
  std::vector<ShapePoint> points = {{0, 0}, {1, 1}};
  set.WriteFeature(points, {{"1", "a"}});
  set.WriteFeature(points, {{"2", "b"}});
  std::string error = testing::ErrorOf([&] { set.WriteFeature(points, {{"3", "c"}}); });
  EXPECT_TRUE(testing::Contains(error, folder.Path("full.shp")));
  EXPECT_TRUE(testing::Contains(error, "181"));  // the limit
  EXPECT_EQ(testing::ReadShapefileSet(folder.Path("full")).records.size(), 2u);
}

}  // namespace
}  // namespace routix::shapefile
