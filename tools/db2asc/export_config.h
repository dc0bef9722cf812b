// Reads the export configuration g.cfg the way the stand-in export program relies on it:
// exactly nine lines, each ended by CR LF, in the fixed order, with DYN, GEO, STA and RPT
// beside the PATH folder and TMP inside it. Anything else throws ConversionError saying
// which line is wrong.
#pragma once

#include <filesystem>

namespace routix::db2asc {

struct ExportFolders {
  std::filesystem::path dyn;
  std::filesystem::path geo;
  std::filesystem::path program;  // PATH=
};

ExportFolders ReadExportConfig(const std::filesystem::path& config);

}  // namespace routix::db2asc
