// The process port on the machine's own process start and wait (platform/process.h).
#pragma once

#include "base/process_runner.h"
#include "platform/process.h"

namespace routix::platform {

class NativeProcessRunner : public base::ProcessRunner {
 public:
  std::optional<int> RunAndWait(const std::string& command_line, const std::string& working_folder,
                                const std::function<void()>& while_waiting) const override {
    return platform::RunAndWait(command_line, working_folder, while_waiting);
  }
};

}  // namespace routix::platform
