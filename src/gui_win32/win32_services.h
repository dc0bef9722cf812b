// The program-wide services as the Win32 window shows them: the progress bar and the first
// status panel, and a yield that lets the window handle its messages at most every
// kYieldInterval however often a conversion calls it (and each time the wait for the export
// program asks), repainting the progress bar only then. While it handles them, a run is in
// progress: mouse and keyboard input for the window is dropped, so presses do nothing, but Esc
// and Alt+E close the window once the run has ended, as its close box does.
#pragma once

#include <chrono>
#include <string>

#include "base/program_services.h"
#include "base/progress_sink.h"
#include "gui_win32/win32.h"

namespace routix::gui_win32 {

class Win32ProgressBar : public base::ProgressSink {
 public:
  void Attach(HWND bar) { bar_ = bar; }
  // Shows the current maximum and value on the bar when they changed since the last time.
  void Sync();

 protected:
  void Changed() override { dirty_ = true; }

 private:
  HWND bar_ = nullptr;
  bool dirty_ = true;
};

class Win32StatusPanel : public base::StatusSink {
 public:
  void Attach(HWND status_bar) { status_bar_ = status_bar; }
  void SetText(const std::string& text) override;

 private:
  HWND status_bar_ = nullptr;
};

class Win32Yielder : public base::Yielder {
 public:
  static constexpr std::chrono::milliseconds kYieldInterval{15};

  explicit Win32Yielder(Win32ProgressBar& progress) : progress_(progress) {}
  void Attach(HWND window) { window_ = window; }
  void Yield() override;
  void YieldNow() override;

 private:
  Win32ProgressBar& progress_;
  HWND window_ = nullptr;
  std::chrono::steady_clock::time_point last_{};
};

}  // namespace routix::gui_win32
