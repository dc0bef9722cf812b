#include "shapefile/shapefile_set.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "base/file_system_service.h"
#include "base/staged_files.h"
#include "support/case_table.h"
#include "support/checks.h"
#include "support/memory_file_system.h"

namespace routix::shapefile {
namespace {

using testing::Native;

constexpr FieldSpec kBoundaryTable[] = {{"ID", 'C', 16}, {"Descr", 'C', 60}};

// Sets written into an output folder of the memory file system and put in place.
class ShapefileSetTest : public ::testing::Test {
 protected:
  ShapefileSetTest() { memory_.CreateFolders(Native("/out")); }
  static std::string Out(const std::string& name) { return Native("/out/") + name; }
  // Opens the set base in out, lets write fill it, closes it and puts it in place.
  template <typename Fill>
  void Write(const std::string& base, Fill write, int64_t max_file_words = kMaxFileWords) {
    base::StagedFiles staged(files_);
    ShapefileSet set = OpenShapefileSetWithLimit(staged, Out(base), kPolyLine, kBoundaryTable,
                                                 base::Date{2026, 12, 6}, max_file_words);
    write(set);
    set.Close();
    staged.Commit();
  }

  testing::MemoryFileSystem memory_;
  base::FileSystemService files_{memory_};
};

// The expected files are kept in sets/, each checked by hand against the published layouts.
TEST_F(ShapefileSetTest, AnEmptySetAndOneOfTwoPolyLinesByteForByte) {
  Write("empty", [](ShapefileSet&) {});
  Write("two", [](ShapefileSet& set) {
    set.WriteFeature(std::vector<ShapePoint>{{1, 2}, {3, 4}}, {{"1", "North"}});
    set.WriteFeature(std::vector<ShapePoint>{{-1, 0.5}, {2, 8}, {0, -3}}, {{" 2 ", "S\xFC\x64"}});
  });
  for (const std::string name : {"empty", "two"}) {
    for (const char* ending : {".shp", ".shx", ".dbf"}) {
      EXPECT_EQ(memory_.Bytes(Out(name + ending)),
                testing::DataFileBytes("shapefile/sets/" + name + ending))
          << name << ending;
    }
    EXPECT_EQ(memory_.Bytes(Out(name + ".cpg")), "1252");
  }
  EXPECT_EQ(memory_.Snapshot(Native("/out")).size(), 8u);
}

TEST_F(ShapefileSetTest, ARecordOfManyPointsIsWrittenInPiecesAndComesOutWhole) {
  std::vector<ShapePoint> outline;
  for (int i = 0; i < 10'000; ++i) outline.push_back({double(i), double(-i)});
  Write("long", [&](ShapefileSet& set) {
    set.WriteFeature(outline, {{"1", "long"}});
    set.WriteFeature(std::vector<ShapePoint>{{0, 0}}, {{"2", "dot"}});
  });
  const std::string shp = memory_.Bytes(Out("long.shp"));
  ASSERT_EQ(shp.size(), 100u + (56 + 16 * outline.size()) + (56 + 16));
  for (size_t i = 0; i < outline.size(); ++i) {  // after the header and the record's own 56
    double xy[2];
    std::memcpy(xy, shp.data() + 156 + 16 * i, sizeof xy);
    ASSERT_TRUE(xy[0] == outline[i].x && xy[1] == outline[i].y) << i;
  }
}

// A new set replaces the earlier one whole and removes only its spatial index; a set that
// fails, at its files or at the size limit, leaves the earlier one with its index.
TEST_F(ShapefileSetTest, ReplacesAnEarlierSetWholeOrNotAtAll) {
  for (const char* ending : {".shp", ".shx", ".dbf", ".cpg"}) {
    memory_.WriteFile(Out("roads") + ending, std::string(5000, 'o'));
  }
  for (const char* ending : {".qix", ".sbn", ".sbx", ".idm", ".ind", ".fbn", ".fbx", ".ain", ".aih",
                             ".atx", ".prj", "2.qix"}) {
    memory_.WriteFile(Out("roads") + ending, "old");
  }
  Write("roads", [](ShapefileSet&) {});
  std::map<std::string, std::string> expected = {
      {Out("roads.cpg"), "1252"}, {Out("roads.prj"), "old"}, {Out("roads2.qix"), "old"}};
  for (const char* ending : {".shp", ".shx", ".dbf"}) {
    expected[Out("roads") + ending] =
        testing::DataFileBytes(std::string("shapefile/sets/empty") + ending);
  }
  EXPECT_EQ(memory_.Snapshot(Native("/out")), expected);

  memory_.CreateFolders(Native("/out/bad.dbf"));
  memory_.WriteFile(Out("bad.qix"), "old");
  memory_.WriteFile(Out("full.shp"), "old");
  memory_.WriteFile(Out("full.qix"), "old");
  const auto before = memory_.Snapshot(Native("/out"));
  std::string error = testing::ErrorOf([&] { Write("bad", [](ShapefileSet&) {}); });
  EXPECT_TRUE(testing::Contains(error, "Cannot replace " + Out("bad.dbf")));
  // Room for the header and two two-point records (44 words each), not for a third.
  error = testing::ErrorOf([&] {
    Write(
        "full",
        [](ShapefileSet& set) {
          const std::vector<ShapePoint> points = {{0, 0}, {1, 1}};
          for (const char* id : {"1", "2", "3"}) set.WriteFeature(points, {{id, "a"}});
        },
        50 + 2 * 44 + 43);
  });
  for (const std::string& part : {Out("full.shp"), std::string("181"), std::string("record 3")}) {
    EXPECT_TRUE(testing::Contains(error, part));  // the file, the limit and the record
  }
  EXPECT_EQ(memory_.Snapshot(Native("/out")), before);
}

}  // namespace
}  // namespace routix::shapefile
