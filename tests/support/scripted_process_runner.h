// A process start for tests: it records each command line and working folder it is given and,
// instead of starting a program, runs the script the test sets. Without a script the
// "program" does nothing and ends with status 0. A script may call while_waiting to let the
// caller handle its events as it would while a real program runs.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "base/process_runner.h"

namespace routix::testing {

class ScriptedProcessRunner : public base::ProcessRunner {
 public:
  struct Call {
    std::string command_line;
    std::string working_folder;
  };
  using Script = std::function<std::optional<int>(const Call& call,
                                                  const std::function<void()>& while_waiting)>;

  std::optional<int> RunAndWait(const std::string& command_line, const std::string& working_folder,
                                const std::function<void()>& while_waiting) const override {
    calls.push_back({command_line, working_folder});
    return script ? script(calls.back(), while_waiting) : std::optional<int>(0);
  }

  Script script;
  mutable std::vector<Call> calls;
};

}  // namespace routix::testing
