// The process port: starts another program and waits for it. The command line names the
// program in its first, quoted token and the arguments after it, as a Windows command line
// does; the program runs with working_folder as its own working folder and the caller's
// environment, while the caller's working folder stays as it is. There is no time limit.
// RunAndWait gives the program's exit status (on POSIX 128 and the signal's number for a
// program a signal ended), or nothing when the program could not start. While it waits it
// calls while_waiting, so that a window on the calling thread keeps answering the system.
#pragma once

#include <functional>
#include <optional>
#include <string>

namespace routix::base {

class ProcessRunner {
 public:
  virtual ~ProcessRunner() = default;
  virtual std::optional<int> RunAndWait(const std::string& command_line,
                                        const std::string& working_folder,
                                        const std::function<void()>& while_waiting) const = 0;
};

}  // namespace routix::base
