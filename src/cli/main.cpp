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
  cli::CliOptions options;
  try {
    options = cli::ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
  } catch (const cli::UsageError& error) {
    cli::PrintMessage(error.what());
    std::fprintf(stderr, "%sTry 'routix2shp --help' for more.\n", cli::ShortUsage().c_str());
    return cli::kExitUsage;
  }
  switch (options.command) {
    case cli::Command::kHelp:
      std::fputs(cli::UsageText(options.help_for).c_str(), stdout);
      return cli::kExitDone;
    case cli::Command::kVersion:
      std::printf("routix2shp %s\n", std::string(app::kVersion).c_str());
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
  base::ProgramServices services{progress, progress, files, yield, clock, tool_folder};
  const int status = cli::RunCommand(options, services, progress);
  return interruptible_files.stopped() ? cli::InterruptedExitStatus() : status;
}

}  // namespace

int main(int argc, char** argv) { return CheckedStandardOutput(Run(argc, argv)); }
