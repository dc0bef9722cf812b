#include "app/field_tidy.h"

#include <gtest/gtest.h>

#include <string>

#include "base/path_utils.h"

namespace routix::app {
namespace {

using base::NativeSeparators;  // the examples are written with backslashes

TEST(FieldTidy, PathsLoseSpacesDoubledAndTrailingSeparatorsAndTheDestinationGetsShp) {
  struct Row {
    const char* typed;
    const char* server_folder;
    const char* destination;  // ".shp" added unless it ends in exactly ".shp"
  } rows[] = {
      {R"(  C:\srv\\data\  )", R"(C:\srv\data)", R"(C:\srv\data.shp)"},
      {R"(C:\out\roads)", R"(C:\out\roads)", R"(C:\out\roads.shp)"},
      {R"(C:\out\Roads.SHP)", R"(C:\out\Roads.SHP)", R"(C:\out\Roads.SHP.shp)"},
      {R"( C:\out\\roads.shp )", R"(C:\out\roads.shp)", R"(C:\out\roads.shp)"},
      {R"(\)", "", ""},
      {"   ", "", ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.typed);
    EXPECT_EQ(TidyServerFolder(NativeSeparators(row.typed)), NativeSeparators(row.server_folder));
    EXPECT_EQ(TidyDestination(NativeSeparators(row.typed)), NativeSeparators(row.destination));
  }
}

}  // namespace
}  // namespace routix::app
