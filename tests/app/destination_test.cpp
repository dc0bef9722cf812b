#include "app/destination.h"

#include <gtest/gtest.h>

#include <string>

#include "base/path_utils.h"

namespace routix::app {
namespace {

using base::NativeSeparators;  // the examples are written with backslashes

TEST(Destination, OnlyAShpEndingInAnyCaseIsCutAndTheBoundariesGoBesideTheSet) {
  struct Row {
    const char* destination;
    const char* base;
    const char* combined;
  } rows[] = {
      {R"(C:\out\roads.shp)", R"(C:\out\roads)", R"(C:\out\Bnd_roads)"},
      {R"(C:\out\roads)", R"(C:\out\roads)", R"(C:\out\Bnd_roads)"},  // not C:\out\ro
      {R"(C:\out\Zones.SHP)", R"(C:\out\Zones)", R"(C:\out\Bnd_Zones)"},
      {R"(C:\out\lines.shp.bak)", R"(C:\out\lines.shp.bak)", R"(C:\out\Bnd_lines.shp.bak)"},
      {R"(C:\out\r?*.sHp)", R"(C:\out\r?*)", R"(C:\out\Bnd_r?*)"},
      {R"(C:\out\\a.shp)", R"(C:\out\\a)", R"(C:\out\Bnd_a)"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.destination);
    const std::string destination = NativeSeparators(row.destination);
    EXPECT_EQ(OutputBase(destination), NativeSeparators(row.base));
    EXPECT_EQ(OutputMainFile(destination), NativeSeparators(row.base) + ".shp");
    const boundaries::BoundaryOutput output = BoundaryOutputOf(destination);
    EXPECT_EQ(output.combined_base, NativeSeparators(row.combined));
    EXPECT_EQ(base::NormalizePath(output.folder + NativeSeparators("\\")),
              NativeSeparators(R"(C:\out\)"));
  }
}

}  // namespace
}  // namespace routix::app
