// The program-wide services as the window shows them: the progress bar and the first status
// panel, and a yield that lets the event loop run at most every kYieldInterval however often
// a conversion calls it, repainting the progress bar only then, so that the window stays live
// without slowing the work; while the export program runs, the event loop runs each time the
// wait asks.
#pragma once

#include <QLabel>
#include <QProgressBar>
#include <chrono>
#include <string>

#include "base/program_services.h"
#include "base/progress_sink.h"

namespace routix::gui {

class QtProgressBar : public base::ProgressSink {
 public:
  explicit QtProgressBar(QProgressBar* bar) : bar_(bar) {}
  // Shows the current maximum and value on the bar when they changed since the last time.
  void Sync();

 protected:
  void Changed() override { dirty_ = true; }

 private:
  QProgressBar* bar_;
  bool dirty_ = true;
};

class QtStatusPanel : public base::StatusSink {
 public:
  explicit QtStatusPanel(QLabel* panel) : panel_(panel) {}
  void SetText(const std::string& text) override;

 private:
  QLabel* panel_;
};

class QtYielder : public base::Yielder {
 public:
  static constexpr std::chrono::milliseconds kYieldInterval{15};

  explicit QtYielder(QtProgressBar& progress) : progress_(progress) {}
  void Yield() override;
  void YieldNow() override;

 private:
  QtProgressBar& progress_;
  std::chrono::steady_clock::time_point last_{};
};

}  // namespace routix::gui
