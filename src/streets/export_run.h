// Runs the routing system's export program PRO\db2asc.exe on a prepared Server folder, named
// on its command line in a form the system's ANSI code page holds (platform/ansi_text.h), and
// waits for it to end: GEO\*.taf work files are cleared before and after, the status panel
// tells the user to wait, the front end goes on handling its events through the yield, and
// the program runs with PRO as its own working folder while this program's working folder
// stays as it is. The export worked when the program ended with status 0 and wrote
// DYN\Mapfil.asc afresh, so that neither an export an earlier run left there nor part of one
// from a program that says it failed is a success. A work file that cannot be deleted, and
// DYN\Mapfil.asc when its status cannot be read, throw ConversionError.
#pragma once

#include <optional>
#include <string>

#include "base/program_services.h"
#include "base/system_paths.h"

namespace routix::streets {

// "S\PRO\db2asc.exe" "S\PRO\g.cfg" 1, built from the folder as given and normalised as a whole.
std::string ExportCommandLine(const std::string& server_folder,
                              char separator = base::kNativeSeparator);

struct ExportOutcome {
  // DYN\Mapfil.asc is there afterwards and not as it was just before the program started.
  bool wrote_export = false;
  // The program's exit status; nothing when it could not start.
  std::optional<int> exit_status;

  bool succeeded() const { return wrote_export && exit_status == 0; }
};

[[nodiscard]] ExportOutcome RunExportTool(const std::string& server_folder,
                                          const base::ProgramServices& services);

}  // namespace routix::streets
