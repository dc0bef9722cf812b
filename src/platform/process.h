// Starts another program and waits for it. The command line names the program in its first,
// quoted token and the arguments after it, as a Windows command line does; the program runs
// with working_folder as its own working folder and the caller's environment, while the
// caller's working folder stays as it is. There is no time limit, and a start that fails
// returns at once without a word: callers judge the run by the files it leaves.
//
// While it waits it calls while_waiting, so that a window on the calling thread keeps
// answering the system: on Windows each time the thread's queue gets window messages (the
// call must take them out of the queue), elsewhere every kWaitPollInterval.
#pragma once

#include <chrono>
#include <functional>
#include <string>

namespace routix::platform {

inline constexpr std::chrono::milliseconds kWaitPollInterval{15};

void RunAndWait(const std::string& command_line, const std::string& working_folder,
                const std::function<void()>& while_waiting);

}  // namespace routix::platform
