#include "platform/interrupts.h"

#include <csignal>

namespace routix::platform {
namespace {

void (*note_interrupt)() = nullptr;

extern "C" void OnSignal(int signal_number) {
  note_interrupt();
  std::signal(signal_number, SIG_DFL);  // a second one ends the program
}

}  // namespace

void CatchInterrupts(void (*note)()) {
  note_interrupt = note;
  std::signal(SIGINT, OnSignal);
  std::signal(SIGTERM, OnSignal);
}

}  // namespace routix::platform
