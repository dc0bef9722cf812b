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
    const char* destination;  // ".shp" added unless it ends in ".shp" in any case
  } rows[] = {
      {R"(  C:\srv\\data\  )", R"(C:\srv\data)", R"(C:\srv\data.shp)"},
      {R"(C:\out\roads)", R"(C:\out\roads)", R"(C:\out\roads.shp)"},
      {R"(C:\out\Roads.SHP)", R"(C:\out\Roads.SHP)", R"(C:\out\Roads.SHP)"},
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

TEST(FieldTidy, WithTheBackslashSlashesAreSeparatorsAndTrailingDotsAndBlanksGo) {
  struct Row {
    const char* typed;
    const char* server_folder;
    const char* destination;
  } rows[] = {
      {"Z:/data//roads.shp", R"(Z:\data\roads.shp)", R"(Z:\data\roads.shp)"},
      {R"(C:\out\roads.shp. . )", R"(C:\out\roads.shp)", R"(C:\out\roads.shp)"},
      {"//srv/Server/", R"(\\srv\Server)", R"(\\srv\Server.shp)"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.typed);
    EXPECT_EQ(TidyServerFolder(row.typed, '\\'), row.server_folder);
    EXPECT_EQ(TidyDestination(row.typed, '\\'), row.destination);
  }
  EXPECT_EQ(TidyDestination("out/roads.shp.", '/'), "out/roads.shp..shp");  // a name elsewhere
}

}  // namespace
}  // namespace routix::app
