// A whole conversion of the exports of a sample network, read back by GDAL's ogrinfo, an
// independent reader.
#include <gtest/gtest.h>

#include <string>

#include "streets/street_conversion.h"
#include "support/case_table.h"
#include "support/checks.h"
#include "support/command.h"
#include "support/fake_services.h"
#include "support/sample_server.h"
#include "support/temp_folder.h"

namespace routix::streets {
namespace {

TEST(SampleNetwork, ConvertsIntoASetThatOgrInfoReadsWhole) {
  testing::TempFolder server;
  testing::MakeSampleServer(server.path(), {.segments = 3000, .seed = 11, .exports = true});
  testing::FakeServices fake;
  const int32_t records =
      ConvertStreetNetwork(server.path().string(), server.Path("streets"), fake.services);
  EXPECT_EQ(records, 3542);  // every whole record of Mapfil.asc and Second.asc
  // The sample's fourth segment has a blank number, a non-numeric from node, a blank inside
  // its from X and a name with a letter above 0x7F, which the code page file lets GDAL decode.
  const std::string info = testing::OgrInfo("-al -so", server.Path("streets.shp")) +
                           testing::OgrInfo("-al -fid 3", server.Path("streets.shp"));
  for (const testing::Case& part : testing::ReadCases("streets/sample_network.tsv")) {
    EXPECT_TRUE(testing::Contains(info, part[0])) << part.where;
  }
}

}  // namespace
}  // namespace routix::streets
