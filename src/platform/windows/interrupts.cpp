#include "platform/interrupts.h"

#include <windows.h>

#include <atomic>

namespace routix::platform {
namespace {

void (*note_interrupt)(int) = nullptr;
// What a shell reports of a program that Ctrl+C stopped.
constexpr int kInterruptedStatus = 130;
std::atomic<bool> interrupted{false};

// Runs on a thread of its own that the system starts for each event.
BOOL WINAPI OnConsoleEvent(DWORD event) {
  if (interrupted.exchange(true)) return FALSE;  // the second: the system ends the program
  note_interrupt(kInterruptedStatus);
  if (event == CTRL_C_EVENT || event == CTRL_BREAK_EVENT) return TRUE;
  // The system ends the program once this returns: it waits here for the run to unwind and
  // the program to end, which ends this thread too.
  Sleep(INFINITE);
  return TRUE;
}

}  // namespace

void CatchInterrupts(void (*note)(int exit_status)) {
  note_interrupt = note;
  SetConsoleCtrlHandler(OnConsoleEvent, TRUE);
}

}  // namespace routix::platform
