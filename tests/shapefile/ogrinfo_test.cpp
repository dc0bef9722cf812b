// GDAL's ogrinfo, an independent reader, opens what the writer wrote; the boundary sets it
// reads in the boundaries' sample conversion.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/file_system_service.h"
#include "base/staged_files.h"
#include "platform/native_file_system.h"
#include "shapefile/shapefile_set.h"
#include "streets/street_table.h"
#include "support/case_table.h"
#include "support/checks.h"
#include "support/command.h"
#include "support/temp_folder.h"

namespace routix::shapefile {
namespace {

using testing::Contains;

TEST(OgrInfo, ReadsAPolyLineSetWithTheStreetTable) {
  testing::TempFolder folder;
  platform::NativeFileSystem native_files;
  base::FileSystemService files(native_files);
  base::StagedFiles staged(files);
  ShapefileSet set = OpenShapefileSet(staged, folder.Path("streets"), kPolyLine,
                                      streets::StreetFields(), base::Date{2026, 12, 6});
  std::vector<std::string_view> values = {
      "   123", "N ",   "M\xFChlenweg", "ST",     "E",   "ZONE1", "a",  "b", "c", "d",
      "1001",   "1002", "100.5",        "200.25", "300", "400",   "50", "B", "0", "1",
      "0",      "3",    "xyz",          "H",      "no"};
  set.WriteFeature(std::vector<ShapePoint>{{100.5, 200.25}, {150, 250}, {300, 400}}, values);
  values[0] = "bad";
  set.WriteFeature(std::vector<ShapePoint>{{-10, -20}, {5, 5}}, values);
  set.Close();
  staged.Commit();

  std::string info = testing::OgrInfo("-al", folder.Path("streets.shp"));
  for (const testing::Case& part : testing::ReadCases("shapefile/ogrinfo_streets.tsv")) {
    EXPECT_TRUE(Contains(info, part[0])) << part.where;
  }
}

}  // namespace
}  // namespace routix::shapefile
