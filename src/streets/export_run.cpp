#include "streets/export_run.h"

#include "platform/process.h"
#include "streets/server_folder.h"
#include "streets/server_paths.h"

namespace routix::streets {

std::string ExportCommandLine(const std::string& server_folder, char separator) {
  // Each path is normalised on its own, so that a network path keeps its leading pair
  // behind the quote; every other separator run collapses as in the whole line.
  std::string line = "\"";
  line += ServerPath(server_folder, "\\PRO\\db2asc.exe", separator);
  line += "\" \"";
  line += ServerPath(server_folder, "\\PRO\\g.cfg", separator);
  line += "\" 1";
  return line;
}

void RunExportTool(const std::string& server_folder, const base::ProgramServices& services) {
  DeleteWorkFiles(server_folder, services.file_system_service);
  services.main_status_panel.SetText("Please wait for a moment when running db2asc...");
  services.yield.Yield();
  platform::RunAndWait(ExportCommandLine(server_folder), ServerPath(server_folder, "\\PRO"));
  DeleteWorkFiles(server_folder, services.file_system_service);
}

}  // namespace routix::streets
