// Gets a Server folder ready for the export program: no stale GEO\*.taf work file, a fresh
// copy of the site's tool folder (ProgramServices::tool_folder), a DYN folder, and the
// nine-line configuration PRO\g.cfg. The copy and the configuration each take the places of
// the files before them whole or not at all, so PRO never holds half a program or half a
// configuration. Up to the configuration every failure is passed over and the export uses
// what PRO holds; a configuration that cannot be written throws ConversionError naming g.cfg.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "base/file_system_service.h"
#include "base/program_services.h"
#include "base/system_paths.h"

namespace routix::streets {

void PrepareServerFolder(const std::string& server_folder, const base::ProgramServices& services);

// Replaces PRO\g.cfg, each line ended by CR LF, in the system's ANSI code page and with the
// folder in a form that code page holds (platform/ansi_text.h), as the export program reads it.
void WriteExportConfig(const std::string& server_folder, const base::FileSystemService& files);

// The lines of g.cfg for a Server folder: [ASSIGN] with DYN, GEO, STA, RPT and PRO\TMP, the
// section "[EPA] " (with its blank) with PATH, and the polling time.
inline constexpr size_t kExportConfigLines = 9;
std::array<std::string, kExportConfigLines> ExportConfigLines(
    std::string_view server_folder, char separator = base::kNativeSeparator);

// Deletes every GEO\*.taf work file the export program leaves; nothing when there is none.
void DeleteWorkFiles(const std::string& server_folder, const base::FileSystemService& files);

}  // namespace routix::streets
