// routix2shp: the command line front end, for conversions on a schedule, on a server without
// a desktop, or from a script. See UsageText() for the interface.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "app/messages.h"
#include "base/clock.h"
#include "base/file_system_service.h"
#include "cli/cli_options.h"
#include "cli/commands.h"
#include "cli/interrupts.h"
#include "cli/terminal_progress.h"
#include "platform/native_file_system.h"
#include "platform/native_process_runner.h"
#include "platform/own_console.h"
#include "platform/program_arguments.h"
#include "platform/terminal.h"
#include "platform/tool_folder.h"

namespace {

// The status, or a failure when what was printed on standard output did not all get there
// (a full disk, a closed pipe).
int CheckedStandardOutput(int status) {
  errno = 0;
  if (std::fflush(stdout) == 0 && !std::ferror(stdout)) return status;
  const std::string reason = errno != 0 ? std::strerror(errno) : "the output is lost";
  routix::cli::PrintMessage(routix::app::StandardOutputFailed(reason));
  return routix::cli::kExitFailed;
}

int Run(int argc, char** argv) {
  using namespace routix;
  if (argc == 1 && platform::ShowInOwnConsole(cli::OwnConsoleText())) return cli::kExitUsage;
  cli::CliOptions options;
  try {
    std::vector<std::string> arguments = platform::ProgramArguments(argc, argv);
    if (!arguments.empty()) arguments.erase(arguments.begin());
    options = cli::ParseCommandLine(arguments);
  } catch (const cli::UsageError& error) {
    cli::PrintMessage(error.what());
    platform::WriteStandard(stderr, cli::ShortUsage() + "Try 'routix2shp --help' for more.\n");
    return cli::kExitUsage;
  }
  switch (options.command) {
    case cli::Command::kHelp:
      platform::WriteStandard(stdout, cli::UsageText(options.help_for));
      return cli::kExitDone;
    case cli::Command::kVersion:
      platform::WriteStandard(stdout, "routix2shp " + std::string(app::kVersion) + "\n");
      return cli::kExitDone;
    default:
      break;
  }

  cli::StandardErrorTerminal terminal;
  // --quiet draws no progress line either.
  cli::TerminalProgress progress(platform::StandardErrorIsTerminal() && !options.quiet ? &terminal
                                                                                       : nullptr);
  cli::NoYield yield;
  platform::NativeFileSystem native_files;
  cli::InterruptibleFileSystem interruptible_files(native_files);
  cli::CatchInterrupts();
  base::FileSystemService files(interruptible_files);
  base::SystemClock clock;
  const std::string tool_folder =
      options.tool_folder.empty() ? platform::DefaultToolFolder() : options.tool_folder;
  platform::NativeProcessRunner processes;
  base::ProgramServices services{progress, progress, files, yield, clock, processes, tool_folder};
  const int status = cli::RunCommand(options, services, progress);
  return interruptible_files.stopped() ? cli::InterruptedExitStatus() : status;
}

}  // namespace

int main(int argc, char** argv) { return CheckedStandardOutput(Run(argc, argv)); }
