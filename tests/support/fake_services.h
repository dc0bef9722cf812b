// Program-wide services for tests, bundled as ProgramServices: recording progress and status
// sinks, a counting yield, a fixed date, the file system and process start given (or the
// machine's own), and the demo installation's tool folder with the stand-in export program.
#pragma once

#include <string>
#include <vector>

#include "base/clock.h"
#include "base/file_system_service.h"
#include "base/program_services.h"
#include "base/progress_sink.h"
#include "platform/native_file_system.h"
#include "platform/native_process_runner.h"

namespace routix::testing {

class RecordingProgress : public base::ProgressSink {
 public:
  int32_t highest_value = 0;

 protected:
  void Changed() override {
    if (value() > highest_value) highest_value = value();
  }
};

class RecordingStatus : public base::StatusSink {
 public:
  void SetText(const std::string& text) override { texts.push_back(text); }
  std::vector<std::string> texts;
};

class CountingYielder : public base::Yielder {
 public:
  void Yield() override { ++calls; }
  void YieldNow() override { ++waits; }
  long calls = 0;
  long waits = 0;  // calls of YieldNow, made while a started program runs
};

class FixedClock : public base::Clock {
 public:
  base::Date Today() const override { return {2026, 12, 6}; }
};

inline const std::string kDemoToolFolder = ROUTIX_PROGRAM_FOLDER "/Server/PRO";

struct FakeServices {
  FakeServices() : FakeServices(native_files) {}
  explicit FakeServices(base::FileSystem& files) : FakeServices(files, native_processes) {}
  FakeServices(base::FileSystem& files, const base::ProcessRunner& processes)
      : file_system(files), services{progress, status,    file_system,    yielder,
                                     clock,    processes, kDemoToolFolder} {}
  FakeServices(const FakeServices&) = delete;

  platform::NativeFileSystem native_files;
  platform::NativeProcessRunner native_processes;
  RecordingProgress progress;
  RecordingStatus status;
  base::FileSystemService file_system;
  CountingYielder yielder;
  FixedClock clock;
  base::ProgramServices services;
};

}  // namespace routix::testing
