// A whole conversion of the generated sample boundaries into one set, for both shape types,
// byte for byte against the files kept in sample/, which GDAL's ogrinfo read when they were made.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "boundaries/boundary_conversion.h"
#include "boundaries/boundary_list.h"
#include "platform/native_file_system.h"
#include "support/case_table.h"
#include "support/fake_services.h"
#include "support/sample_server.h"
#include "support/temp_folder.h"

namespace routix::boundaries {
namespace {

TEST(SampleConversion, OneSetHoldsEveryBoundaryOfTwoOrMoreNodes) {
  testing::TempFolder folder;
  testing::MakeSampleServer(folder.path(), {.seed = 1, .streets = false});
  BoundarySelection selection;
  platform::NativeFileSystem files;
  for (const ListedBoundary& listed : ListBoundaries(ReadBoundaryList(files, folder.Path("DYN")))) {
    selection.col_return.push_back(std::to_string(listed.ordinal));
  }
  // The sample has 38 records: 36 listed (node count above 0), 35 of two nodes or more.
  EXPECT_EQ(selection.col_return.size(), 36u);
  for (const int16_t shape_type : {int16_t{5}, int16_t{3}}) {
    SCOPED_TRACE(shape_type);
    selection.boundary_shape_type = shape_type;
    testing::FakeServices fake;
    const BoundaryConversionResult result = ConvertBoundaries(
        folder.Path("DYN"), {folder.Path(""), folder.Path("Bnd_zones")}, selection, fake.services);
    EXPECT_EQ(result.records, 35);
    EXPECT_EQ(result.left_out, 1);  // "Single node"
    for (const std::string name :
         {"Bnd_zones.shp", "Bnd_zones.shx", "Bnd_zones.dbf", "Bnd_zones.cpg", "Report.err"}) {
      const std::string expected = "boundaries/sample/" + std::to_string(shape_type) + name;
      EXPECT_EQ(testing::ReadFileBytes(folder.Path(name)), testing::DataFileBytes(expected))
          << name;
    }
  }
}

}  // namespace
}  // namespace routix::boundaries
