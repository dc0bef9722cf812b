// Runs the cases of path_texts.tsv: each line names a text rule of the driver, its inputs and
// the result it must give.
#include <gtest/gtest.h>

#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "app/destination.h"
#include "app/dialog_results.h"
#include "app/field_tidy.h"
#include "app/message_wrap.h"
#include "app/messages.h"
#include "base/path_utils.h"
#include "base/system_paths.h"

namespace routix::app {
namespace {

std::vector<std::string> Fields(const std::string& line, bool native) {
  std::vector<std::string> fields;
  std::istringstream in(line);
  for (std::string field; std::getline(in, field, '\t');) {
    if (field == "<none>") field.clear();
    for (size_t at; (at = field.find("<crlf>")) != std::string::npos;) field.replace(at, 6, "\r\n");
    fields.push_back(native ? base::NativeSeparators(field) : field);
  }
  return fields;
}

std::optional<std::string> Chosen(const std::string& field) {
  return field == "<cancel>" ? std::nullopt : std::optional(field);
}

TEST(PathTexts, EachRuleGivesItsResult) {
  std::ifstream cases(ROUTIX_PATH_TEXTS);
  ASSERT_TRUE(cases) << ROUTIX_PATH_TEXTS;
  int count = 0;
  for (std::string line; std::getline(cases, line);) {
    if (line.empty() || line[0] == '#') continue;
    SCOPED_TRACE(line);
    ++count;
    const std::string rule = line.substr(0, line.find_first_of(" \t"));
    const std::string mode = line.substr(rule.size(), line.find('\t') - rule.size());
    const char separator = mode.size() == 2 ? mode[1] : base::kNativeSeparator;
    const std::vector<std::string> f = Fields(line.substr(line.find('\t') + 1), mode == " native");
    if (rule == "tidy-server") {
      EXPECT_EQ(TidyServerFolder(f.at(0), separator), f.at(1));
    } else if (rule == "tidy-destination") {
      EXPECT_EQ(TidyDestination(f.at(0), separator), f.at(1));
    } else if (rule == "output-base") {
      EXPECT_EQ(OutputBase(f.at(0)), f.at(1));
      EXPECT_EQ(OutputMainFile(f.at(0)), f.at(1) + ".shp");
      const boundaries::BoundaryOutput output = BoundaryOutputOf(f.at(0));
      EXPECT_EQ(output.combined_base, f.at(2));
      const std::string slash(1, base::kNativeSeparator);
      EXPECT_EQ(base::NormalizePath(output.folder + slash),
                base::NormalizePath(base::FolderOfPath(f.at(2)) + slash));
    } else if (rule == "folder-dialog") {
      EXPECT_EQ(FolderDialogResult(Chosen(f.at(0)), f.at(1)), f.at(2));
    } else if (rule == "save-dialog") {
      EXPECT_EQ(SaveDialogResult(Chosen(f.at(0)), f.at(1), ".shp"), f.at(2));
    } else if (rule == "selected-count") {
      EXPECT_EQ(SelectedCount(std::stoi(f.at(0))), f.at(1));
    } else {
      ASSERT_EQ(rule, "wrap-10");
      EXPECT_EQ(WrapAtSeparators(f.at(0), 10), f.at(1));
    }
  }
  EXPECT_EQ(count, 42);  // every line was read
}

}  // namespace
}  // namespace routix::app
