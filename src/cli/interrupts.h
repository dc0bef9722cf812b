// Ctrl-C and the termination signal, and on Windows Ctrl+Break and the console's close, stop
// a run of the command line cleanly. CatchInterrupts makes them only note that they came (a
// second one ends the program at once);
// an InterruptibleFileSystem in front of the real one then refuses to open, create or copy a
// file, and to read or write a block, with the message kInterrupted. The run unwinds as from
// any failure: its temporaries go and every earlier output stays as it was. Moving files into
// place and removing them are never refused, so a run that is putting its files in place
// finishes doing so.
#pragma once

#include <atomic>

#include "base/file_system_wrapper.h"

namespace routix::cli {

void CatchInterrupts();

// The exit status of a run that an interrupt stopped, as a shell reports a program that the
// signal ended: 128 and the signal's number, 130 for SIGINT, 143 for SIGTERM.
int InterruptedExitStatus();

class InterruptibleFileSystem : public base::FileSystemWrapper {
 public:
  using FileSystemWrapper::FileSystemWrapper;

  std::unique_ptr<base::ReadableFile> OpenForReading(const std::string& path) override;
  std::unique_ptr<base::WritableFile> CreateForWriting(const std::string& path) override;
  void Copy(const std::string& from, const std::string& to) override;

  // Whether a call was refused for an interrupt.
  bool stopped() const { return stopped_; }

 private:
  class Reading;
  class Writing;

  // Throws ConversionError(kInterrupted) once an interrupt has come.
  void Check();

  std::atomic<bool> stopped_ = false;  // calls come from the street conversion's two threads
};

}  // namespace routix::cli
