// Runs the routing system's export program PRO\db2asc.exe on a prepared Server folder, named
// on its command line in a form the system's ANSI code page holds (platform/ansi_text.h), and
// waits for it to end: GEO\*.taf work files are cleared before and after, the status panel
// tells the user to wait, the front end goes on handling its events through the yield, and
// the program runs with PRO as its own working folder while this program's working folder
// stays as it is. Whether the export worked shows only in the files it leaves in DYN: the
// run is judged by whether it wrote DYN\Mapfil.asc afresh, so that an export an earlier run
// left there is no success. A work file that cannot be deleted throws ConversionError.
#pragma once

#include <string>

#include "base/program_services.h"
#include "platform/native_separator.h"

namespace routix::streets {

// "S\PRO\db2asc.exe" "S\PRO\g.cfg" 1, built from the folder as given and normalised as a whole.
std::string ExportCommandLine(const std::string& server_folder,
                              char separator = platform::kNativeSeparator);

// True when the export program wrote DYN\Mapfil.asc: it is there afterwards and not as it was
// just before the program started.
[[nodiscard]] bool RunExportTool(const std::string& server_folder,
                                 const base::ProgramServices& services);

}  // namespace routix::streets
