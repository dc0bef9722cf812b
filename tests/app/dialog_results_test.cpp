#include "app/dialog_results.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "base/path_utils.h"

namespace routix::app {
namespace {

TEST(DialogResults, AChosenFolderGetsASeparatorAndCancelKeepsTheStart) {
  EXPECT_EQ(FolderDialogResult(base::NativeSeparators(R"(D:\Data\Server)"), "x"),
            base::NativeSeparators(R"(D:\Data\Server\)"));
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
