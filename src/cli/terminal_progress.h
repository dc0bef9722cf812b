// The progress and status sinks of the command line. On a terminal they keep one line on
// standard error: the running step's status text and, once the step counts, its percentage,
// redrawn in place at most every redraw interval and cut to the terminal's width, which is
// asked anew at every redraw. A step that counted and is then reset (the next step begins,
// or the run ends) stays on its own line at 100%; one that is cut short by a new text (an
// error) is drawn over. Without a terminal nothing is drawn. The yield has no events to run
// and returns at once.
#pragma once

#include <chrono>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "base/program_services.h"
#include "base/progress_sink.h"

namespace routix::cli {

class TerminalProgress : public base::ProgressSink, public base::StatusSink {
 public:
  // Where the line is drawn.
  class Terminal {
   public:
    virtual ~Terminal() = default;
    virtual int Columns() = 0;  // the width now; 0 when unknown
    virtual void Write(std::string_view text) = 0;
  };

  static constexpr std::chrono::milliseconds kRedrawInterval{100};

  // terminal: nullptr when standard error is not a terminal; must outlive the sink.
  explicit TerminalProgress(Terminal* terminal,
                            std::chrono::milliseconds redraw_interval = kRedrawInterval)
      : terminal_(terminal), redraw_interval_(redraw_interval) {}
  TerminalProgress(const TerminalProgress&) = delete;
  TerminalProgress& operator=(const TerminalProgress&) = delete;
  ~TerminalProgress() override { Clear(); }

  void SetText(const std::string& text) override;
  // Removes the line, so that what is printed next starts on a clean line.
  void Clear();

 protected:
  void Changed() override;

 private:
  // The columns a line may take: the terminal's width now, less its last column.
  size_t Room();
  // The step's text, with its percentage when it has one, cut to room columns.
  std::string Line(std::optional<int> percent, size_t room) const;
  void Draw();
  // Leaves the step on its own line at 100%.
  void Finish();
  // Writes line over the one shown, followed by end.
  void Show(const std::string& line, size_t room, std::string_view end);

  Terminal* terminal_;
  std::chrono::milliseconds redraw_interval_;
  std::string text_;
  bool counting_ = false;  // the value has risen since the step began
  int32_t last_value_ = 0;
  std::string shown_;      // the line on the terminal; empty when none
  size_t shown_room_ = 0;  // the room it was drawn in
  std::chrono::steady_clock::time_point last_draw_{};
};

// Standard error as the terminal of a TerminalProgress.
class StandardErrorTerminal : public TerminalProgress::Terminal {
 public:
  int Columns() override;
  void Write(std::string_view text) override;
};

class NoYield : public base::Yielder {
 public:
  void Yield() override {}
};

}  // namespace routix::cli
