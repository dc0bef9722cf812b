#include "app/field_tidy.h"

#include <gtest/gtest.h>

#include <string>

#include "app/dialog_results.h"
#include "platform/native_separator.h"

namespace routix::app {
namespace {

// The examples are written with backslashes and turned into the platform's own form.
std::string Native(std::string text) {
  for (char& c : text) {
    if (c == '\\') c = platform::kNativeSeparator;
  }
  return text;
}

TEST(FieldTidy, ServerFolderLosesSpacesDoubledAndTrailingSeparators) {
  EXPECT_EQ(TidyServerFolder(Native(R"(  C:\srv\\data\  )")), Native(R"(C:\srv\data)"));
  EXPECT_EQ(TidyServerFolder("    "), "");
  EXPECT_EQ(TidyServerFolder(Native(R"(\)")), "");
}

TEST(FieldTidy, DestinationGetsShpUnlessItEndsInExactlyShp) {
  struct Row {
    const char* typed;
    const char* tidied;
  } rows[] = {
      {R"(C:\out\roads)", R"(C:\out\roads.shp)"},
      {R"(C:\out\)", R"(C:\out.shp)"},
      {R"(C:\out\Roads.SHP)", R"(C:\out\Roads.SHP.shp)"},
      {R"( C:\out\\roads.shp )", R"(C:\out\roads.shp)"},
      {"", ""},
      {"   ", ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.typed);
    EXPECT_EQ(TidyDestination(Native(row.typed)), Native(row.tidied));
  }
}

TEST(DialogResults, AChosenFolderGetsASeparatorAndCancelKeepsTheStart) {
  EXPECT_EQ(FolderDialogResult(Native(R"(D:\Data\Server)"), "x"), Native(R"(D:\Data\Server\)"));
  EXPECT_EQ(FolderDialogResult(std::nullopt, ""), "");
  EXPECT_EQ(FolderDialogResult(std::nullopt, "start"), "start");
}

TEST(DialogResults, TheSaveDialogAddsTheExtensionByTheLowerCasedEnding) {
  struct Row {
    std::optional<std::string> chosen;
    const char* file_name;
    const char* result;
  } rows[] = {
      {"D:/out/roads", "", "D:/out/roads.shp"},
      {"D:/out/ROADS.SHP", "", "D:/out/ROADS.SHP"},
      {"roads.shp.bak", "", "roads.shp.bak.shp"},
      {std::nullopt, "D:/out/roads", "D:/out/roads.shp"},
      {std::nullopt, "", ""},
      {"ab", "", "ab.shp"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.result);
    EXPECT_EQ(SaveDialogResult(row.chosen, row.file_name, ".shp"), row.result);
  }
}

}  // namespace
}  // namespace routix::app
