#include "platform/process.h"

#include <windows.h>

#include <string>

#include "platform/windows/wide_text.h"

namespace routix::platform {

std::optional<int> RunAndWait(const std::string& command_line, const std::string& working_folder,
                              const std::function<void()>& while_waiting) {
  // CreateProcessW may write into the command line, so it gets a copy of its own.
  std::wstring line = Widen(command_line);
  const std::wstring folder = Widen(working_folder);
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, NORMAL_PRIORITY_CLASS, nullptr,
                      folder.c_str(), &startup, &process)) {
    return std::nullopt;
  }
  // Wakes for the end of the program and for every new window message of this thread.
  while (MsgWaitForMultipleObjects(1, &process.hProcess, FALSE, INFINITE, QS_ALLINPUT) ==
         WAIT_OBJECT_0 + 1) {
    while_waiting();
  }
  DWORD status = 0;
  const bool known = GetExitCodeProcess(process.hProcess, &status);
  CloseHandle(process.hProcess);
  CloseHandle(process.hThread);
  if (!known) return std::nullopt;
  return static_cast<int>(status);
}

}  // namespace routix::platform
