// A projection file is taken only when it is one line of WKT text, and then byte for byte.
#include "shapefile/projection_file.h"

#include <gtest/gtest.h>

#include <string>

#include "base/conversion_error.h"
#include "support/checks.h"
#include "support/memory_file_system.h"

namespace routix::shapefile {
namespace {

const std::string kPath = testing::Native("/maps/routix.prj");
constexpr char kWkt[] =
    R"(PROJCS["NAD_1983_UTM_Zone_11N",GEOGCS["GCS_North_American_1983",DATUM["D_North_American_1983",SPHEROID["GRS_1980",6378137.0,298.257222101]],PRIMEM["Greenwich",0.0],UNIT["Degree",0.0174532925199433]],PROJECTION["Transverse_Mercator"],PARAMETER["False_Easting",500000.0],PARAMETER["False_Northing",0.0],PARAMETER["Central_Meridian",-117.0],PARAMETER["Scale_Factor",0.9996],PARAMETER["Latitude_Of_Origin",0.0],UNIT["Meter",1.0]])";

std::string ErrorOf(const std::string& content) {
  testing::MemoryFileSystem files;
  files.CreateFolders(testing::Native("/maps"));
  files.WriteFile(kPath, content);
  try {
    ReadProjectionFile(files, kPath);
  } catch (const base::ConversionError& error) {
    return error.what();
  }
  return "";
}

TEST(ProjectionFile, OneLineOfWktIsTakenAsItStandsLessAByteOrderMark) {
  const std::string w = kWkt;
  for (const std::string& content :
       {w, w + "\n", w + "\r\n", std::string(R"(GEOGCS["a]b[",UNIT["Degree",1]])"),
        std::string("LOCAL_CS[\"grid\",\tUNIT[\"Meter\",1]]")}) {
    SCOPED_TRACE(content);
    testing::MemoryFileSystem files;
    files.CreateFolders(testing::Native("/maps"));
    files.WriteFile(kPath, content);
    EXPECT_EQ(ReadProjectionFile(files, kPath), content);
  }
  testing::MemoryFileSystem files;  // saved by Notepad as "UTF-8 with BOM"
  files.CreateFolders(testing::Native("/maps"));
  files.WriteFile(kPath, "\xEF\xBB\xBF" + w + "\r\n");
  EXPECT_EQ(ReadProjectionFile(files, kPath), w + "\r\n");
}

TEST(ProjectionFile, AnythingElseIsRefusedNamingTheFileAndWhy) {
  const std::string w = kWkt;
  struct Row {
    std::string content;
    const char* reason;
  };
  const Row rows[] = {
      {"", "it is empty"},
      {"\n", "it is empty"},
      {w + "\n\n", "it holds more than one line"},
      {"PROJCS[\"a\",\nUNIT[\"Meter\",1]]", "it holds more than one line"},
      {"+proj=utm +zone=11", "it does not begin with a WKT keyword and ["},
      {"EPSG:26911", "it does not begin with a WKT keyword and ["},
      {" " + w, "it does not begin with a WKT keyword and ["},
      {"PROJCS", "it does not begin with a WKT keyword and ["},
      {w.substr(0, w.size() - 1), "its brackets or quotes are not closed"},
      {R"(GEOGCS["a,UNIT["Degree",1]])", "its brackets or quotes are not closed"},
      {w + "]", "text follows its last ]"},
      {w + " GEOGCS[]", "text follows its last ]"},
      {"GEOGCS[\"a\x01\"]", "it holds a control character"},
      {std::string(70000, 'A') + "[]", "this one is larger than 64 KiB"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.content.substr(0, 80));
    const std::string error = ErrorOf(row.content);
    EXPECT_TRUE(error.starts_with("Cannot use " + kPath +
                                  ": a projection file is one line of WKT text, and "))
        << error;
    EXPECT_TRUE(testing::Contains(error, row.reason)) << error;
  }
  testing::MemoryFileSystem files;
  EXPECT_THROW(ReadProjectionFile(files, kPath), base::FileError);  // a missing file
}

}  // namespace
}  // namespace routix::shapefile
