#include "platform/process.h"

#include <fcntl.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <system_error>
#include <thread>
#include <vector>

#include "platform/posix/command_line_arguments.h"

namespace routix::platform {

std::optional<int> RunAndWait(const std::string& command_line, const std::string& working_folder,
                              const std::function<void()>& while_waiting) {
  std::vector<std::string> arguments = SplitCommandLine(command_line);
  if (arguments.empty()) return std::nullopt;
  // A relative program path names the program from the caller's working folder, as on
  // Windows, although the child changes to its own before it starts the program.
  std::string program = arguments[0];
  if (program.find('/') != std::string::npos) {
    std::error_code error;
    std::filesystem::path absolute = std::filesystem::absolute(program, error);
    if (!error) program = absolute.string();
  }
  std::vector<char*> argv;
  for (std::string& argument : arguments) argv.push_back(argument.data());
  argv.push_back(nullptr);

  // A byte through the pipe, which a successful exec closes, tells a failed start.
  int start_failed[2];
  if (pipe2(start_failed, O_CLOEXEC) != 0) return std::nullopt;
  pid_t child = fork();
  if (child == 0) {
    // Only async-signal-safe calls between fork and exec.
    if (chdir(working_folder.c_str()) == 0) execv(program.c_str(), argv.data());
    [[maybe_unused]] const ssize_t ignored = write(start_failed[1], "x", 1);
    _exit(127);
  }
  close(start_failed[1]);
  if (child < 0) {
    close(start_failed[0]);
    return std::nullopt;
  }
  while (true) {
    int status = 0;
    pid_t done = waitpid(child, &status, WNOHANG);
    if (done == child) {
      char byte;
      const bool started = read(start_failed[0], &byte, 1) != 1;
      close(start_failed[0]);
      if (!started) return std::nullopt;
      return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
    if (done < 0 && errno != EINTR) {
      close(start_failed[0]);
      return std::nullopt;
    }
    while_waiting();
    std::this_thread::sleep_for(kWaitPollInterval);
  }
}

}  // namespace routix::platform
