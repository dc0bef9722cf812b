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
  for (const char* part :
       {"Geometry: Line String", "Feature Count: 2",
        "Extent: (-10.000000, -20.000000) - (300.000000, 400.000000)", "ID: Integer64 (14.0)",
        "StreetName: String (33.0)", "Nowalk: String (3.0)",
        "StreetName (String) = M\xC3\xBChlenweg",  // the .cpg names CP1252
        "ID (Integer64) = 123", "ID (Integer64) = 0", "LINESTRING (100.5 200.25,150 250,300 400)",
        "LINESTRING (-10 -20,5 5)"}) {
    EXPECT_TRUE(Contains(info, part));
  }
}

}  // namespace
}  // namespace routix::shapefile
