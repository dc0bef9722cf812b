#include "streets/export_run.h"

#include "base/path_utils.h"
#include "platform/ansi_text.h"
#include "streets/export_marker.h"
#include "streets/server_folder.h"

namespace routix::streets {

std::string ExportCommandLine(const std::string& server_folder, char separator) {
  // Each path is normalised on its own, so that a network path keeps its leading pair
  // behind the quote; every other separator run collapses as in the whole line.
  auto path = [&](std::string_view literal) {
    return base::NormalizePath(server_folder + base::NativeSeparators(literal, separator),
                               separator);
  };
  std::string line = "\"";
  line += path("\\PRO\\db2asc.exe");
  line += "\" \"";
  line += path("\\PRO\\g.cfg");
  line += "\" 1";
  return line;
}

ExportOutcome RunExportTool(const std::string& server_folder,
                            const base::ProgramServices& services) {
  DeleteWorkFiles(server_folder, services.file_system_service);
  services.main_status_panel.SetText("Please wait for a moment when running db2asc...");
  services.yield.Yield();
  const ExportMarkerNote before(server_folder, services.file_system_service);
  ExportOutcome outcome;
  outcome.exit_status = services.process_runner.RunAndWait(
      ExportCommandLine(platform::AnsiFolderPath(server_folder).value_or(server_folder)),
      base::NormalizePath(server_folder + base::NativeSeparators("\\PRO")),
      [&] { services.yield.YieldNow(); });
  DeleteWorkFiles(server_folder, services.file_system_service);
  outcome.wrote_export = before.Renewed();
  return outcome;
}

}  // namespace routix::streets
