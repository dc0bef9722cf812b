// The three commands of routix2shp: streets, boundaries and list. Each drives the code behind
// the window through a ConversionUi without a person in front of it: the command ticks its
// box, the arguments fill the two path fields (made absolute), --overwrite answers Yes to the
// questions before a replace, --select and the shape options stand in for the selection
// dialog, and every refusal is printed on standard error, as is a note of the selected
// boundaries that were left out. The result is the exit status: 0 done (also when no
// boundary is selected), 1 refused or failed (a --select of a boundary that the list does
// not hold among them); main() makes it 2 for a malformed command line, and 130 (Ctrl+C) or
// 143 (SIGTERM) for a run stopped by an interrupt.
#pragma once

#include <string>

#include "base/program_services.h"
#include "cli/cli_options.h"
#include "cli/terminal_progress.h"

namespace routix::cli {

inline constexpr int kExitDone = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;

// Runs streets, boundaries or list; progress is the terminal line behind services' progress
// bar and status panel, cleared before anything is printed.
int RunCommand(const CliOptions& options, const base::ProgramServices& services,
               TerminalProgress& progress);

// Prints a message on standard error as routix2shp's, on one line that begins with
// "routix2shp: ": each line break inside it (CR LF or LF) becomes a blank, or nothing after a
// line that ends in one.
void PrintMessage(const std::string& text);

}  // namespace routix::cli
