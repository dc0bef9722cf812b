// Runs the cases of path_texts.tsv: each line names a text rule of the driver, its inputs and
// the result it must give.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "app/destination.h"
#include "app/dialog_results.h"
#include "app/field_tidy.h"
#include "app/message_wrap.h"
#include "app/messages.h"
#include "base/path_utils.h"
#include "base/system_paths.h"
#include "support/case_table.h"

namespace routix::app {
namespace {

std::optional<std::string> Chosen(const std::string& field) {
  return field == "<cancel>" ? std::nullopt : std::optional(field);
}

TEST(PathTexts, EachRuleGivesItsResult) {
  const std::vector<testing::Case> cases = testing::ReadCases("app/path_texts.tsv");
  for (testing::Case c : cases) {
    SCOPED_TRACE(c.where);
    const std::string rule = c[0].substr(0, c[0].find(' '));
    const char separator = c[0].size() == rule.size() + 2 ? c[0].back() : base::kNativeSeparator;
    if (c[0].ends_with(" native")) {
      for (std::string& field : c.fields) field = base::NativeSeparators(field);
    }
    if (rule == "tidy-server") {
      EXPECT_EQ(TidyServerFolder(c[1], separator), c[2]);
    } else if (rule == "tidy-destination") {
      EXPECT_EQ(TidyDestination(c[1], separator), c[2]);
    } else if (rule == "output-base") {
      EXPECT_EQ(OutputBase(c[1]), c[2]);
      EXPECT_EQ(OutputMainFile(c[1]), c[2] + ".shp");
      const boundaries::BoundaryOutput output = BoundaryOutputOf(c[1]);
      EXPECT_EQ(output.combined_base, c[3]);
      const std::string slash(1, base::kNativeSeparator);
      EXPECT_EQ(base::NormalizePath(output.folder + slash),
                base::NormalizePath(base::FolderOfPath(c[3]) + slash));
    } else if (rule == "folder-dialog") {
      EXPECT_EQ(FolderDialogResult(Chosen(c[1]), c[2]), c[3]);
    } else if (rule == "save-dialog") {
      EXPECT_EQ(SaveDialogResult(Chosen(c[1]), c[2], ".shp"), c[3]);
    } else if (rule == "selected-count") {
      EXPECT_EQ(SelectedCount(std::stoi(c[1])), c[2]);
    } else {
      ASSERT_EQ(rule, "wrap-10");
      EXPECT_EQ(WrapAtSeparators(c[1], 10), c[2]);
    }
  }
  EXPECT_EQ(cases.size(), 42u);  // every line was read
}

}  // namespace
}  // namespace routix::app
