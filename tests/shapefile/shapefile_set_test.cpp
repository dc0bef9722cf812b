#include "shapefile/shapefile_set.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "base/file_system_service.h"
#include "base/staged_files.h"
#include "support/checks.h"
#include "support/memory_file_system.h"
#include "support/shapefile_reader.h"

namespace routix::shapefile {
namespace {

using testing::Native;

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

// Sets written into an output folder of the memory file system and put in place.
class ShapefileSetTest : public ::testing::Test {
 protected:
  static std::string Out(const std::string& name) { return Native("/out/") + name; }
  // Opens the set base in out, lets write fill it, closes it and puts it in place.
  template <typename Fill>
  void Write(const std::string& base, Fill write, int64_t max_file_words = kMaxFileWords) {
    base::StagedFiles staged(files_);
    ShapefileSet set = OpenShapefileSetWithLimit(staged, Out(base), kPolyLine, kBoundaryTable,
                                                 kDate, max_file_words);
    write(set);
    set.Close();
    staged.Commit();
  }
  std::string Bytes(const std::string& name) const { return memory_.Bytes(Out(name)); }

  testing::MemoryFileSystem memory_;
  base::FileSystemService files_{memory_};
};

TEST_F(ShapefileSetTest, AnEmptySetIsExactlyItsHeaders) {
  memory_.CreateFolders(Native("/out"));
  Write("empty", [](ShapefileSet&) {});

  std::string header = PolyLineHeader("00 00 00 32", Zeros(32));
  EXPECT_EQ(Bytes("empty.shp"), header);
  EXPECT_EQ(Bytes("empty.shx"), header);
  EXPECT_EQ(Bytes("empty.dbf"), BoundaryDbfHeader("00 00 00 00") + "\x1A");
  EXPECT_EQ(Bytes("empty.cpg"), "1252");
  EXPECT_EQ(memory_.Snapshot(Native("/out")).size(), 4u);
}

TEST_F(ShapefileSetTest, TwoPolyLineRecordsByteForByte) {
  memory_.CreateFolders(Native("/out"));
  Write("two", [](ShapefileSet& set) {
    std::vector<ShapePoint> first = {{1, 2}, {3, 4}};
    std::vector<ShapePoint> second = {{-1, 0.5}, {2, 8}, {0, -3}};
    std::vector<std::string_view> north = {"1", "North"};
    std::vector<std::string_view> south = {" 2 ",
                                           "S\xFC"
                                           "d"};
    set.WriteFeature(first, north);
    set.WriteFeature(second, south);
  });

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
  EXPECT_EQ(Bytes("two.shp"), PolyLineHeader("00 00 00 92", header_box) + record1 + record2);
  EXPECT_EQ(Bytes("two.shx"), PolyLineHeader("00 00 00 3A", header_box) +
                                  Hex("00 00 00 32 00 00 00 28") + Hex("00 00 00 5E 00 00 00 30"));
  EXPECT_EQ(Bytes("two.dbf"), BoundaryDbfHeader("02 00 00 00") + " " + Text("1", 16) +
                                  Text("North", 60) + " " + Text("2", 16) +
                                  Text("S\xFC"
                                       "d",
                                       60) +
                                  "\x1A");
}

TEST_F(ShapefileSetTest, ARecordOfManyPointsIsWrittenInPiecesAndReadsBackWhole) {
  memory_.CreateFolders(Native("/out"));
  std::vector<ShapePoint> outline;
  for (int i = 0; i < 10'000; ++i) outline.push_back({double(i), double(-i)});
  Write("long", [&](ShapefileSet& set) {
    set.WriteFeature(outline, {{"1", "long"}});
    set.WriteFeature(std::vector<ShapePoint>{{0, 0}}, {{"2", "dot"}});
  });
  testing::ReadSet read = testing::ReadShapefileSet(memory_, Out("long"));
  ASSERT_EQ(read.records.size(), 2u);
  ASSERT_EQ(read.records[0].points.size(), outline.size());
  EXPECT_EQ(read.records[0].points.back(), (testing::ReadPoint{9999, -9999}));
}

TEST_F(ShapefileSetTest, ReplacesAnEarlierSetWholeAndRemovesOnlyItsSpatialIndex) {
  for (const char* ending : {".shp", ".shx", ".dbf", ".cpg"}) {
    memory_.WriteFile(Out("roads") + ending, std::string(5000, 'o'));
  }
  for (const char* ending : {".qix", ".sbn", ".sbx", ".idm", ".ind", ".fbn", ".fbx", ".ain", ".aih",
                             ".atx", ".prj", "2.qix"}) {
    memory_.WriteFile(Out("roads") + ending, "old");
  }
  Write("roads", [](ShapefileSet&) {});
  EXPECT_EQ(memory_.Snapshot(Native("/out")),
            (std::map<std::string, std::string>{
                {Out("roads.cpg"), "1252"},
                {Out("roads.dbf"), BoundaryDbfHeader("00 00 00 00") + "\x1A"},
                {Out("roads.prj"), "old"},
                {Out("roads.shp"), PolyLineHeader("00 00 00 32", Zeros(32))},
                {Out("roads.shx"), PolyLineHeader("00 00 00 32", Zeros(32))},
                {Out("roads2.qix"), "old"}}));
}

TEST_F(ShapefileSetTest, ASetThatFailsLeavesTheEarlierOneWithItsSpatialIndex) {
  memory_.CreateFolders(Native("/out/roads.dbf"));
  memory_.WriteFile(Out("roads.shp"), "old");
  memory_.WriteFile(Out("roads.qix"), "old");
  memory_.WriteFile(Out("full.shp"), "old");
  const auto before = memory_.Snapshot(Native("/out"));
  std::string error = testing::ErrorOf([&] { Write("roads", [](ShapefileSet&) {}); });
  EXPECT_TRUE(testing::Contains(error, "Cannot replace " + Out("roads.dbf")));

  // Room for the header and two two-point records (44 words each), not for a third.
  error = testing::ErrorOf([&] {
    Write(
        "full",
        [](ShapefileSet& set) {
          std::vector<ShapePoint> points = {{0, 0}, {1, 1}};
          set.WriteFeature(points, {{"1", "a"}});
          set.WriteFeature(points, {{"2", "b"}});
          set.WriteFeature(points, {{"3", "c"}});
        },
        50 + 2 * 44 + 43);
  });
  EXPECT_TRUE(testing::Contains(error, Out("full.shp")));
  EXPECT_TRUE(testing::Contains(error, "181"));  // the limit
  EXPECT_TRUE(testing::Contains(error, "record 3"));
  EXPECT_EQ(memory_.Snapshot(Native("/out")), before);
}

}  // namespace
}  // namespace routix::shapefile
