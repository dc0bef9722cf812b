// The progress line as a user sees it: drawn on a model of a terminal, and end to end through
// a pseudo-terminal that routix2shp writes to as it would to a terminal window.
#include "cli/terminal_progress.h"

#include <gtest/gtest.h>
#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "sample_data/sample_boundaries.h"
#include "sample_data/sample_streets.h"
#include "support/temp_folder.h"

namespace routix::cli {
namespace {

using namespace std::chrono_literals;
using Lines = std::vector<std::string>;

// A terminal of a fixed width: rows of characters and a cursor. A carriage return goes to the
// start of the row, a backspace one column back, a line feed to the start of the next row (as
// a terminal's output processing makes it), and a character written past the last column
// wraps to the next row first.
class Screen {
 public:
  explicit Screen(size_t width) : width_(width) {}

  void Put(std::string_view text) {
    for (char c : text) {
      if (c == '\r') {
        column_ = 0;
      } else if (c == '\b') {
        column_ -= column_ > 0;
      } else if (c == '\n') {
        NextRow(false);
      } else {
        if (column_ == width_) NextRow(true);
        std::string& row = rows_[row_].text;
        if (row.size() <= column_) row.resize(column_ + 1, ' ');
        row[column_++] = c;
      }
    }
  }

  // The lines shown, a wrapped one joined again, without blanks at their ends; the row of
  // the cursor last.
  Lines Shown() const {
    Lines lines;
    for (const Row& row : rows_) {
      if (!row.continued) lines.emplace_back();
      lines.back() += row.text;
    }
    for (std::string& line : lines) line.erase(line.find_last_not_of(' ') + 1);
    return lines;
  }
  int wraps() const { return wraps_; }
  size_t column() const { return column_; }

 private:
  struct Row {
    std::string text;
    bool continued = false;
  };
  void NextRow(bool wrapped) {
    if (++row_ == rows_.size()) rows_.push_back({"", wrapped});
    column_ = 0;
    wraps_ += wrapped;
  }

  size_t width_;
  std::vector<Row> rows_{Row{}};
  size_t row_ = 0, column_ = 0;
  int wraps_ = 0;
};

class FakeTerminal : public TerminalProgress::Terminal {
 public:
  explicit FakeTerminal(int width) : columns(width), screen(static_cast<size_t>(width)) {}
  int Columns() override { return columns; }
  void Write(std::string_view text) override {
    last_write = text;
    screen.Put(text);
  }

  int columns;
  Screen screen;
  std::string last_write;
};

TEST(TerminalProgress, AStepThatCountedEndsAt100PercentAndWhatFollowsStartsOnACleanLine) {
  FakeTerminal terminal(40);
  TerminalProgress progress(&terminal, 0ms);
  progress.SetText("Please wait");  // a step that does not count shows no percentage
  EXPECT_EQ(terminal.screen.Shown(), Lines{"Please wait"});

  progress.SetMaximum(10);
  progress.SetValue(0);
  progress.SetText("Step one");
  for (int i = 0; i < 7; ++i) progress.AddOne();  // records of two lines never reach the end
  EXPECT_EQ(terminal.screen.Shown(), Lines{"Step one  70%"});

  progress.SetMaximum(4);  // the next step resets the bar: step one has ended
  progress.SetValue(0);
  progress.SetText("Step two");
  progress.AddOne();
  progress.AddOne();
  EXPECT_EQ(terminal.screen.Shown(), (Lines{"Step one 100%", "Step two  50%"}));
  progress.SetValue(0);  // the run resets the bar at its end
  progress.SetText("Finished !");
  EXPECT_EQ(terminal.screen.Shown(), (Lines{"Step one 100%", "Step two 100%", "Finished !"}));

  progress.SetMaximum(10);  // an error cuts the next step short: it is not left at 100%
  progress.SetText("Step three");
  progress.AddOne();
  progress.SetText("");
  progress.Clear();
  EXPECT_EQ(terminal.screen.Shown(), (Lines{"Step one 100%", "Step two 100%", ""}));
  EXPECT_EQ(terminal.screen.column(), 0u);
  EXPECT_EQ(terminal.screen.wraps(), 0);
}

TEST(TerminalProgress, FitsTheTerminalsWidthAsItIsAtEachRedraw) {
  const std::string text = "Writting shape file from mapfil.asc ...";
  FakeTerminal terminal(80);
  TerminalProgress progress(&terminal, 0ms);
  progress.SetMaximum(100);
  progress.SetText(text);
  progress.SetValue(42);
  EXPECT_EQ(terminal.screen.Shown(), Lines{text + "  42%"});
  EXPECT_EQ(terminal.screen.wraps(), 0);

  struct Row {
    int columns;
    std::string line;  // what the redraw shows
  } rows[] = {
      {30, "Writting shape file from  43%"},  // 29 columns: the last one stays free
      {6, "  44%"},
      {0, text + "  45%"},  // a terminal that does not say is taken as 80 columns wide
      {60, text + "  46%"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.columns);
    terminal.columns = row.columns;
    progress.AddOne();
    Screen screen(row.columns > 0 ? static_cast<size_t>(row.columns) : 80u);
    screen.Put(terminal.last_write);
    EXPECT_EQ(screen.Shown(), Lines{row.line});
    EXPECT_EQ(screen.column(), row.line.size());
    EXPECT_EQ(screen.wraps(), 0);
  }
}

TEST(TerminalProgress, DrawsNothingWithoutATerminalAndAtMostOncePerIntervalWithOne) {
  TerminalProgress silent(nullptr, 0ms);
  silent.SetText("Step");
  silent.AddOne();
  silent.Clear();  // nothing to write to, and nothing written

  FakeTerminal terminal(80);
  TerminalProgress progress(&terminal, 1h);
  progress.SetText("Step");  // a new text is drawn at once
  for (int i = 0; i < 50; ++i) progress.AddOne();
  EXPECT_EQ(terminal.screen.Shown(), Lines{"Step"});
}

// Runs routix2shp with its standard output and error on a pseudo-terminal of the width, from
// folder; gives back what the terminal received.
std::string RunOnATerminal(const std::filesystem::path& folder, unsigned short columns,
                           const std::vector<std::string>& arguments, int& exit_status) {
  const std::string program = ROUTIX_PROGRAM_FOLDER "/routix2shp";
  std::vector<char*> argv{const_cast<char*>(program.c_str())};
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  winsize size{};
  size.ws_col = columns;
  size.ws_row = 24;
  int terminal = -1;
  const pid_t child = forkpty(&terminal, nullptr, nullptr, &size);
  if (child == 0) {
    if (chdir(folder.c_str()) == 0) execv(program.c_str(), argv.data());
    _exit(127);
  }
  std::string received;
  char chunk[4096];
  for (ssize_t read_bytes; (read_bytes = read(terminal, chunk, sizeof chunk)) > 0;) {
    received.append(chunk, static_cast<size_t>(read_bytes));
  }
  close(terminal);
  int status = 0;
  waitpid(child, &status, 0);
  exit_status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return received;
}

TEST(TerminalProgress, OnATerminalEachStepEndsAt100PercentAndTheSummaryFollowsUnlessQuiet) {
  testing::TempFolder folder;
  std::filesystem::create_directories(folder.path() / "Server" / "GEO");
  std::filesystem::create_directories(folder.path() / "out");
  sample::WriteSampleStreets((folder.path() / "Server" / "GEO").string(), 300, 4);
  int status = -1;
  const std::string received =
      RunOnATerminal(folder.path(), 40, {"streets", "Server", "out/roads.shp"}, status);
  ASSERT_EQ(status, 0) << received;

  Screen screen(40);
  screen.Put(received);
  const Lines shown = screen.Shown();
  ASSERT_EQ(shown.size(), 4u) << received;
  EXPECT_EQ(shown[0], "Writting shape file from mapfil.as 100%");
  EXPECT_EQ(shown[1], "Writting shape file from second.as 100%");
  EXPECT_EQ(shown[2].rfind("Wrote ", 0), 0u) << shown[2];  // the summary, on a clean line
  EXPECT_EQ(shown[2].substr(shown[2].size() - 3), " s.") << shown[2];
  EXPECT_EQ(shown[3], "");
  // Only the summary, which is no progress line, may wrap.
  EXPECT_EQ(static_cast<size_t>(screen.wraps()), (shown[2].size() - 1) / 40);

  // --quiet: not a byte on the terminal.
  EXPECT_EQ(
      RunOnATerminal(folder.path(), 40,
                     {"streets", "Server", "out/roads.shp", "--overwrite", "--quiet"}, status),
      "");
  EXPECT_EQ(status, 0);
}

}  // namespace
}  // namespace routix::cli
