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
#include "support/command.h"
#include "support/fake_services.h"
#include "support/temp_folder.h"

namespace routix::streets {
namespace {

namespace fs = std::filesystem;

void ExpectContains(const std::string& text, const std::string& part) {
  EXPECT_NE(text.find(part), std::string::npos) << "no \"" << part << "\" in:\n" << text;
}

TEST(SampleNetwork, ConvertsIntoASetThatOgrInfoReadsWhole) {
  testing::TempFolder server;
  fs::create_directory(server.path() / "GEO");
  const sample::SampleStreets sample =
      sample::WriteSampleStreets((server.path() / "GEO").string(), 3000, 11);
  testing::FakeServices fake;
  PrepareServerFolder(server.path().string(), fake.services);
  RunExportTool(server.path().string(), fake.services);
  const std::string output = server.Path("streets.shp");
  const int32_t records = ConvertStreetNetwork(server.path().string(), output, fake.services);
  EXPECT_EQ(records, sample.mapfil_records + sample.second_records);

  testing::CommandResult summary =
      testing::RunCommand("ogrinfo -ro -al -so " + testing::ShellQuote(output));
  ASSERT_EQ(summary.exit_status, 0) << summary.output;
  ExpectContains(summary.output, "Geometry: Line String");
  ExpectContains(summary.output, "Feature Count: " + std::to_string(records));
  char extent[200];
  std::snprintf(extent, sizeof extent, "Extent: (%f, %f) - (%f, %f)", sample.xmin, sample.ymin,
                sample.xmax, sample.ymax);
  ExpectContains(summary.output, extent);

  // The fourth segment has a blank number, a non-numeric from node, a blank inside its from
  // X and a name with a letter above 0x7F, which the code page file lets GDAL decode.
  testing::CommandResult fourth =
      testing::RunCommand("ogrinfo -ro -al -fid 3 " + testing::ShellQuote(output));
  ASSERT_EQ(fourth.exit_status, 0) << fourth.output;
  ExpectContains(fourth.output, "ID (Integer64) = 0");
  ExpectContains(fourth.output, "StreetName (String) = M\xC3\xBChlenweg");
  ExpectContains(fourth.output, "FromNode (Integer64) = 0");
  ExpectContains(fourth.output, "ToNode (Integer64) = 0");
}

TEST(SampleNetwork, TheSameSeedGivesTheSameBytes) {
  testing::TempFolder first, second, other;
  sample::WriteSampleStreets(first.path().string(), 500, 5);
  sample::WriteSampleStreets(second.path().string(), 500, 5);
  sample::WriteSampleStreets(other.path().string(), 500, 6);
  for (const char* name : {"Mapfil.geo", "Nodfil.geo", "Second.geo"}) {
    SCOPED_TRACE(name);
    EXPECT_EQ(testing::ReadFileBytes(first.path() / name),
              testing::ReadFileBytes(second.path() / name));
    EXPECT_NE(testing::ReadFileBytes(first.path() / name),
              testing::ReadFileBytes(other.path() / name));
  }
}

}  // namespace
}  // namespace routix::streets
