// The progress and status sinks of the command line: a line on standard error with the
// status text and the percentage, redrawn in place at most every kRedrawInterval, and only
// when standard error is a terminal. The yield has no events to run and returns at once.
#pragma once

#include <chrono>
#include <string>

#include "base/program_services.h"
#include "base/progress_sink.h"

namespace routix::cli {

class TerminalProgress : public base::ProgressSink, public base::StatusSink {
 public:
  static constexpr std::chrono::milliseconds kRedrawInterval{100};

  explicit TerminalProgress(bool shown) : shown_(shown) {}
  ~TerminalProgress() override { Clear(); }

  void SetText(const std::string& text) override;
  // Removes the line, so that what is printed next starts on a clean line.
  void Clear();

 protected:
  void Changed() override;

 private:
  void Draw();

  bool shown_;
  bool drawn_ = false;
  std::string text_;
  std::chrono::steady_clock::time_point last_draw_{};
};

class NoYield : public base::Yielder {
 public:
  void Yield() override {}
};

}  // namespace routix::cli
