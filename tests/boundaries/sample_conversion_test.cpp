// A whole conversion of the generated sample boundaries into one set, checked by the
// test-side reader and by GDAL's ogrinfo, for both shape types.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "boundaries/boundary_conversion.h"
#include "boundaries/boundary_list.h"
#include "platform/native_file_system.h"
#include "sample_data/sample_boundaries.h"
#include "support/checks.h"
#include "support/command.h"
#include "support/fake_services.h"
#include "support/shapefile_reader.h"
#include "support/temp_folder.h"

namespace routix::boundaries {
namespace {

TEST(SampleConversion, OneSetHoldsEveryBoundaryOfTwoOrMoreNodes) {
  testing::TempFolder folder;
  std::filesystem::create_directories(folder.path() / "DYN");
  sample::WriteSampleBoundaries(folder.Path("DYN"), 1);
  BoundarySelection selection;
  platform::NativeFileSystem files;
  for (const ListedBoundary& listed : ListBoundaries(ReadBoundaryList(files, folder.Path("DYN")))) {
    selection.col_return.push_back(std::to_string(listed.ordinal));
  }
  // The sample has 38 records: 36 listed (node count above 0), 35 of two nodes or more.
  EXPECT_EQ(selection.col_return.size(), 36u);
  for (int16_t shape_type : {int16_t{5}, int16_t{3}}) {
    SCOPED_TRACE(shape_type);
    selection.boundary_shape_type = shape_type;
    testing::FakeServices fake;
    const BoundaryConversionResult result = ConvertBoundaries(
        folder.Path("DYN"), {folder.Path(""), folder.Path("Bnd_zones")}, selection, fake.services);
    EXPECT_EQ(result.records, 35);
    EXPECT_EQ(result.left_out, 1);  // "Single node"
    EXPECT_EQ(testing::ReadShapefileSet(folder.Path("Bnd_zones")).records.size(), 35u);
    std::string info = testing::OgrInfo("-al", folder.Path("Bnd_zones.shp"));
    EXPECT_TRUE(
        testing::Contains(info, shape_type == 5 ? "Geometry: Polygon" : "Geometry: Line String"));
    // The descriptions decoded as the .cpg says.
    for (const char* part :
         {"Feature Count: 35",
          "Extent: (490000.000000, 3990000.000000) - (530000.000000, 4030000.000000)",
          "ID (String) = 14\n", "Descr (String) = Coastline\n",
          "Descr (String) = Z\u00FCrich S\u00FCd\n",
          "Descr (String) = \u00CEle-de-France \u20ACuro\n",
          "Descr (String) = A description that fills all sixty characters of the field..\n"}) {
      EXPECT_TRUE(testing::Contains(info, part));
    }
  }
}

}  // namespace
}  // namespace routix::boundaries
