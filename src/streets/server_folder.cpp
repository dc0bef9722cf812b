#include "streets/server_folder.h"

#include <stdexcept>

#include "base/path_utils.h"
#include "platform/ansi_text.h"

namespace routix::streets {
namespace {

// Runs one preparation step whose failure leaves the export to what the folder already holds.
template <typename Step>
void PassOverFailure(Step step) {
  try {
    step();
  } catch (const std::runtime_error&) {
    // ConversionError and filesystem_error alike: the next step runs.
  }
}

}  // namespace

void PrepareServerFolder(const std::string& server_folder, const base::ProgramServices& services) {
  const base::FileSystemService& files = services.file_system_service;
  PassOverFailure([&] { DeleteWorkFiles(server_folder, files); });
  PassOverFailure([&] {
    files.CopyFolder(base::NormalizePath(services.tool_folder),
                     base::NormalizePath(server_folder + base::NativeSeparators("\\PRO")));
  });
  PassOverFailure([&] {
    std::string dyn = server_folder + base::NativeSeparators("\\DYN\\");
    if (!files.FolderExists(dyn)) files.CreateFolder(dyn);
  });
  WriteExportConfig(base::NormalizePath(server_folder), files);
}

void WriteExportConfig(const std::string& server_folder, const base::FileSystemService& files) {
  std::array<std::string, kExportConfigLines> lines =
      ExportConfigLines(platform::AnsiFolderPath(server_folder).value_or(server_folder));
  for (std::string& line : lines) line = platform::ToAnsiCodePage(line);
  files.ReplaceTextFile(base::NormalizePath(server_folder + base::NativeSeparators("\\PRO\\g.cfg")),
                        lines);
}

std::array<std::string, kExportConfigLines> ExportConfigLines(std::string_view server_folder,
                                                              char separator) {
  std::string folder = base::NormalizePath(server_folder, separator);
  auto value = [&](std::string_view literal) {
    return base::NormalizePath(folder + base::NativeSeparators(literal, separator), separator);
  };
  return {"[ASSIGN]",
          "DYN=" + value("\\DYN"),
          "GEO=" + value("\\GEO"),
          "STA=" + value("\\STA"),
          "RPT=" + value("\\RPT"),
          "TMP=" + value("\\PRO\\TMP"),
          "[EPA] ",
          "PATH=" + value("\\PRO"),
          "POLLING TIME = 1"};
}

void DeleteWorkFiles(const std::string& server_folder, const base::FileSystemService& files) {
  std::string pattern = base::NormalizePath(server_folder + base::NativeSeparators("\\GEO\\*.taf"));
  if (!files.FirstMatch(pattern).empty()) files.DeleteMatches(pattern);
}

}  // namespace routix::streets
