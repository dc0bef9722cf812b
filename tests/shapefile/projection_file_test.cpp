// A projection file is taken only when it is one line of WKT text, and then byte for byte.
#include "shapefile/projection_file.h"

#include <gtest/gtest.h>

#include <string>

#include "base/conversion_error.h"
#include "support/case_table.h"
#include "support/checks.h"
#include "support/memory_file_system.h"

namespace routix::shapefile {
namespace {

TEST(ProjectionFile, OneLineOfWktIsTakenAsItStandsAndAnythingElseRefusedNamingTheFile) {
  const std::string path = testing::Native("/maps/routix.prj");
  testing::MemoryFileSystem files;
  EXPECT_THROW(ReadProjectionFile(files, path), base::FileError);  // a missing file
  std::vector<testing::Case> rows = testing::ReadCases("shapefile/projection_files.tsv");
  rows.push_back(
      {"larger than 64 KiB", {std::string(70000, 'A') + "[]", "! this one is larger than 64 KiB"}});
  for (const testing::Case& row : rows) {
    SCOPED_TRACE(row.where);
    files.WriteFile(path, row[0]);
    const std::string error =
        testing::ErrorOf([&] { EXPECT_EQ(ReadProjectionFile(files, path), row[1]); });
    if (row[1].starts_with("! ")) {
      EXPECT_EQ(
          error.find("Cannot use " + path + ": a projection file is one line of WKT text, and "),
          0u)
          << error;
      EXPECT_TRUE(testing::Contains(error, row[1].substr(2)));
    } else {
      EXPECT_EQ(error, testing::kNoError);
    }
  }
}

}  // namespace
}  // namespace routix::shapefile
