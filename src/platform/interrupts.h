// What stops the command line: CatchInterrupts has note called from then on for Ctrl+C and
// the termination signal (SIGINT, SIGTERM) elsewhere, and on Windows for Ctrl+C, Ctrl+Break
// and the console window's close, logoff and shutdown. note may only set a lock-free flag.
// A second interrupt ends the program at once. On Windows the console's close waits for the
// program to end on its own (within the few seconds the system allows), so that its run can
// remove what it wrote, as after Ctrl+C. note is given the exit status that tells how the
// program was stopped, as a shell reports it: 130 for Ctrl+C (and on Windows for every console
// event), 143 for SIGTERM.
#pragma once

namespace routix::platform {

void CatchInterrupts(void (*note)(int exit_status));

}  // namespace routix::platform
