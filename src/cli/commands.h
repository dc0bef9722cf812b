// The three commands of routix2shp over the same conversions as the window: streets,
// boundaries and list. Each checks its inputs with the window's rules and texts, runs, and
// prints a summary line (unless quiet) or the reason it refused or failed. The result is the
// exit status: 0 done (also when no boundary is selected), 1 refused or failed, 2 a usage
// error found in the data (an ordinal that is not in Rxybnd.dat).
#pragma once

#include <cstdio>

#include "base/program_services.h"
#include "cli/cli_options.h"

namespace routix::cli {

inline constexpr int kExitDone = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;

// Paths in options are as given; relative ones are taken from the current folder.
int RunStreets(const CliOptions& options, const base::ProgramServices& services);
int RunBoundaries(const CliOptions& options, const base::ProgramServices& services);
int RunList(const CliOptions& options, const base::ProgramServices& services);

}  // namespace routix::cli
