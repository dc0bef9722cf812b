#include "platform/interrupts.h"

#include <csignal>

namespace routix::platform {
namespace {

void (*note_interrupt)(int) = nullptr;

extern "C" void OnSignal(int signal_number) {
  note_interrupt(128 + signal_number);
  std::signal(signal_number, SIG_DFL);  // a second one ends the program
}

}  // namespace

void CatchInterrupts(void (*note)(int exit_status)) {
  note_interrupt = note;
  std::signal(SIGINT, OnSignal);
  std::signal(SIGTERM, OnSignal);
}

}  // namespace routix::platform
