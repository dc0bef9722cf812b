// Starts another program and waits for it. The command line names the program in its first,
// quoted token and the arguments after it, as a Windows command line does; the program runs
// with working_folder as its own working folder and the caller's environment, while the
// caller's working folder stays as it is. There is no time limit, and a start that fails
// returns at once without a word: callers judge the run by the files it leaves.
#pragma once

#include <string>

namespace routix::platform {

void RunAndWait(const std::string& command_line, const std::string& working_folder);

}  // namespace routix::platform
