// The progress line as a user sees it: drawn on a model of a terminal by the steps of
// cases/terminal_progress.steps, and end to end on a pseudo-terminal.
#include "cli/terminal_progress.h"

#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "support/command.h"
#include "support/sample_server.h"
#include "support/temp_folder.h"

namespace routix::cli {
namespace {

// A terminal that says it has columns columns (0: it does not say, and is 80 wide): rows of
// characters and a cursor. A carriage return goes to the start of the row, a backspace one
// column back, a line feed to the start of the next row, and a character written past the
// last column wraps to the next row first.
class Screen : public TerminalProgress::Terminal {
 public:
  explicit Screen(int columns) : columns_(columns), width_(columns > 0 ? size_t(columns) : 80) {}
  int Columns() override { return columns_; }
  void Write(std::string_view text) override {
    for (char c : text) {
      if (c == '\r') {
        column_ = 0;
      } else if (c == '\b') {
        column_ -= column_ > 0;
      } else if (c == '\n') {
        lines_.emplace_back();
        row_start_ = column_ = 0;
      } else {
        if (column_ == width_) row_start_ += width_, column_ = 0, ++wraps_;
        std::string& line = lines_.back();
        line.resize(std::max(line.size(), row_start_ + column_ + 1), ' ');
        line[row_start_ + column_++] = c;
      }
    }
  }

  // The lines shown, a wrapped one as one, without blanks at their ends, each ended by "|";
  // then the cursor's column and how many times a line wrapped.
  std::string Shown() const {
    std::string shown;
    for (std::string line : lines_) shown += line.erase(line.find_last_not_of(' ') + 1) + "|";
    return shown + " at " + std::to_string(column_) + ", " + std::to_string(wraps_) + " wraps";
  }

 private:
  int columns_;
  size_t width_;
  std::vector<std::string> lines_{""};
  size_t row_start_ = 0, column_ = 0;  // the cursor's row, as where it starts in its line
  int wraps_ = 0;
};

// Each line a step: "progress MILLISECONDS" starts a progress line with that redraw interval;
// "columns N" makes the terminal an empty one that says it has N columns; "text TEXT",
// "maximum N", "value N", "add N" (AddOne N times) and "clear" drive the line; "screen SHOWN"
// is what the terminal shows.
TEST(TerminalProgress, DrawsTheStepsOfTheTable) {
  std::ifstream steps(ROUTIX_CASES "/terminal_progress.steps");
  Screen screen(80);
  std::unique_ptr<TerminalProgress> progress;
  for (std::string line; std::getline(steps, line);) {
    SCOPED_TRACE(line);
    const size_t space = line.find(' ');
    const std::string step = line.substr(0, space);
    const std::string rest = space == std::string::npos ? "" : line.substr(space + 1);
    int number = 0;
    std::istringstream(rest) >> number;
    if (step == "progress") {
      progress = std::make_unique<TerminalProgress>(&screen, std::chrono::milliseconds(number));
    } else if (step == "columns") {
      screen = Screen(number);
    } else if (step == "text") {
      progress->SetText(rest);
    } else if (step == "maximum") {
      progress->SetMaximum(number);
    } else if (step == "value") {
      progress->SetValue(number);
    } else if (step == "add") {
      while (number-- > 0) progress->AddOne();
    } else if (step == "clear") {
      progress->Clear();
    } else if (step == "screen") {
      EXPECT_EQ(screen.Shown(), rest);
    } else {
      ASSERT_TRUE(step.empty() || step[0] == '#');
    }
  }
}

// On a terminal each step ends at 100% and the summary follows on a clean line, where only
// it may wrap; with --quiet not a byte reaches the terminal.
TEST(TerminalProgress, OnATerminalEachStepEndsAt100PercentAndTheSummaryFollowsUnlessQuiet) {
  testing::TempFolder folder;
  testing::MakeSampleServer(folder.path() / "Server", {.segments = 300, .seed = 1});
  auto on_a_terminal = [&](const std::string& arguments) {
    const std::string run = "stty cols 40 && " ROUTIX_PROGRAM_FOLDER "/routix2shp " + arguments;
    return testing::RunCommand("cd " + testing::ShellQuote(folder.path().string()) +
                               " && script -qec " + testing::ShellQuote(run) + " /dev/null");
  };
  const testing::CommandResult run = on_a_terminal("streets Server roads.shp");
  ASSERT_EQ(run.exit_status, 0) << run.output;
  Screen screen(40);
  screen.Write(run.output);
  const std::string summary =
      "Wrote 365 street segments to " + folder.Path("roads.shp") + " in 0.00 s.";
  EXPECT_EQ(std::regex_replace(screen.Shown(), std::regex(" [0-9]+\\.[0-9][0-9] s\\."), " 0.00 s."),
            "Writting shape file from mapfil.as 100%|Writting shape file from second.as 100%|" +
                summary + "|| at 0, " + std::to_string((summary.size() - 1) / 40) + " wraps");
  EXPECT_EQ(on_a_terminal("streets Server roads.shp --overwrite --quiet").output, "");
}

}  // namespace
}  // namespace routix::cli
