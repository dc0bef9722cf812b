// The program-wide services a conversion reaches the outside world through: the progress
// bar, the status panel text, the file system, a yield that lets the front end handle its
// pending events, the clock, the process start, and the site's tool folder, whose files a streets
// run copies into the Server folder's PRO. The front end owns one of each and hands them down
// together as a ProgramServices; nothing here is a global.
#pragma once

#include <string>

#include "base/clock.h"
#include "base/file_system_service.h"
#include "base/process_runner.h"
#include "base/progress_sink.h"

namespace routix::base {

class StatusSink {
 public:
  virtual ~StatusSink() = default;
  virtual void SetText(const std::string& text) = 0;
};

// Yield is called after every record of the street conversion, so an implementation must
// return at once when it has nothing to do. YieldNow is called while the program waits for
// the export program, each time the front end has events: it handles them all at once.
class Yielder {
 public:
  virtual ~Yielder() = default;
  virtual void Yield() = 0;
  virtual void YieldNow() {}
};

struct ProgramServices {
  ProgressSink& main_progress_bar;
  StatusSink& main_status_panel;
  const FileSystemService& file_system_service;
  Yielder& yield;
  const Clock& clock;
  const ProcessRunner& process_runner;
  std::string tool_folder;
};

}  // namespace routix::base
