// A whole run on a sample network: the Server folder prepared, the stand-in export run
// through the real process start, the exports converted, and the set read back by GDAL's
// ogrinfo, an independent reader.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "sample_data/sample_streets.h"
#include "streets/export_run.h"
#include "streets/server_folder.h"
#include "streets/street_conversion.h"
#include "support/checks.h"
#include "support/command.h"
#include "support/fake_services.h"
#include "support/temp_folder.h"

namespace routix::streets {
namespace {

using testing::Contains;

TEST(SampleNetwork, ConvertsIntoASetThatOgrInfoReadsWhole) {
  testing::TempFolder server;
  std::filesystem::create_directory(server.path() / "GEO");
  const sample::SampleStreets sample = sample::WriteSampleStreets(server.Path("GEO"), 3000, 11);
  testing::FakeServices fake;
  PrepareServerFolder(server.path().string(), fake.services);
  ASSERT_TRUE(RunExportTool(server.path().string(), fake.services).succeeded());
  const std::string output = server.Path("streets.shp");
  const int32_t records =
      ConvertStreetNetwork(server.path().string(), server.Path("streets"), fake.services);
  EXPECT_EQ(records, sample.mapfil_records + sample.second_records);

  std::string summary = testing::OgrInfo("-al -so", output);
  EXPECT_TRUE(Contains(summary, "Geometry: Line String"));
  EXPECT_TRUE(Contains(summary, "Feature Count: " + std::to_string(records)));
  char extent[200];
  std::snprintf(extent, sizeof extent, "Extent: (%f, %f) - (%f, %f)", sample.xmin, sample.ymin,
                sample.xmax, sample.ymax);
  EXPECT_TRUE(Contains(summary, extent));

  // The fourth segment has a blank number, a non-numeric from node, a blank inside its from
  // X and a name with a letter above 0x7F, which the code page file lets GDAL decode.
  std::string fourth = testing::OgrInfo("-al -fid 3", output);
  for (const char* part : {"ID (Integer64) = 0", "StreetName (String) = M\xC3\xBChlenweg",
                           "FromNode (Integer64) = 0", "ToNode (Integer64) = 0"}) {
    EXPECT_TRUE(Contains(fourth, part));
  }
}

}  // namespace
}  // namespace routix::streets
