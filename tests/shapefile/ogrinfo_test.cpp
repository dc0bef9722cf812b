// GDAL's ogrinfo, an independent reader, opens what the writer wrote.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "shapefile/shapefile_set.h"
#include "streets/street_table.h"
#include "support/command.h"
#include "support/temp_folder.h"

namespace routix::shapefile {
namespace {

using testing::RunCommand;
using testing::ShellQuote;

constexpr FieldSpec kBoundaryTable[] = {{"ID", 'C', 16}, {"Descr", 'C', 60}};

std::string OgrInfo(const std::string& path) {
  testing::CommandResult result = RunCommand("ogrinfo -ro -al " + ShellQuote(path));
  EXPECT_EQ(result.exit_status, 0) << result.output;
  return result.output;
}

void ExpectContains(const std::string& text, const std::string& part) {
  EXPECT_NE(text.find(part), std::string::npos) << "no \"" << part << "\" in:\n" << text;
}

TEST(OgrInfo, ReadsAPolyLineSetWithTheStreetTable) {
  testing::TempFolder folder;
  ShapefileSet set = OpenShapefileSet(folder.Path("streets.shp"), kPolyLine,
                                      streets::StreetFields(), base::Date{2026, 12, 6});
  std::vector<std::string_view> values = {
      "   123", "N ",   "M\xFChlenweg", "ST",     "E",   "ZONE1", "a",  "b", "c", "d",
      "1001",   "1002", "100.5",        "200.25", "300", "400",   "50", "B", "0", "1",
      "0",      "3",    "xyz",          "H",      "no"};
  std::vector<ShapePoint> first = {{100.5, 200.25}, {150, 250}, {300, 400}};
  std::vector<ShapePoint> second = {{-10, -20}, {5, 5}};
  set.WriteFeature(first, values);
  values[0] = "bad";
  set.WriteFeature(second, values);
  set.Close();

  std::string info = OgrInfo(folder.Path("streets.shp"));
  ExpectContains(info, "Geometry: Line String");
  ExpectContains(info, "Feature Count: 2");
  ExpectContains(info, "Extent: (-10.000000, -20.000000) - (300.000000, 400.000000)");
  ExpectContains(info, "ID: Integer64 (14.0)");
  ExpectContains(info, "StreetName: String (33.0)");
  ExpectContains(info, "Nowalk: String (3.0)");
  ExpectContains(info, "StreetName (String) = M\xC3\xBChlenweg");  // the .cpg names CP1252
  ExpectContains(info, "ID (Integer64) = 123");
  ExpectContains(info, "ID (Integer64) = 0");
  ExpectContains(info, "LINESTRING (100.5 200.25,150 250,300 400)");
  ExpectContains(info, "LINESTRING (-10 -20,5 5)");
}

TEST(OgrInfo, ReadsAPolygonSetWithTheBoundaryTable) {
  testing::TempFolder folder;
  ShapefileSet set = OpenShapefileSet(folder.Path("Bnd_zones.shp"), kPolygon, kBoundaryTable,
                                      base::Date{2026, 12, 6});
  std::vector<ShapePoint> square = {{0, 0}, {0, 10}, {10, 10}, {10, 0}, {0, 0}};
  set.WriteFeature(square, {{"4", "North"}});
  set.Close();

  std::string info = OgrInfo(folder.Path("Bnd_zones.shp"));
  ExpectContains(info, "Geometry: Polygon");
  ExpectContains(info, "Feature Count: 1");
  ExpectContains(info, "Extent: (0.000000, 0.000000) - (10.000000, 10.000000)");
  ExpectContains(info, "ID: String (16.0)");
  ExpectContains(info, "Descr: String (60.0)");
  ExpectContains(info, "Descr (String) = North");
  ExpectContains(info, "POLYGON ((0 0,0 10,10 10,10 0,0 0))");
}

}  // namespace
}  // namespace routix::shapefile
