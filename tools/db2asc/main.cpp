// db2asc.exe, the stand-in for the routing system's export program: run as
//   db2asc.exe "S\PRO\g.cfg" 1
// from the Server folder's PRO folder, it checks its command line, its working folder and
// g.cfg, then writes the street exports into the DYN folder from the sample street data in
// GEO, and exits 0. On any fault it writes no Mapfil.asc, says why on stderr and exits 1.
// Like the program it stands in for, it reads its command line and g.cfg in the system's
// ANSI code page.
#include <cstdio>
#include <filesystem>
#include <string_view>
#include <system_error>

#include "base/conversion_error.h"
#include "export_config.h"
#include "platform/ansi_text.h"
#include "platform/file_path.h"
#include "street_export.h"

namespace {

namespace fs = std::filesystem;

bool SameFolder(const fs::path& a, const fs::path& b) {
  std::error_code error;
  return fs::equivalent(a, b, error);
}

int Refuse(std::string_view why) {
  std::fprintf(stderr, "db2asc: %.*s\n", static_cast<int>(why.size()), why.data());
  return 1;
}

// An argument of this ANSI program as a path.
fs::path ArgumentPath(const char* argument) {
  return routix::platform::FilePath(routix::platform::FromAnsiCodePage(argument));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3 || std::string_view(argv[2]) != "1" ||
      ArgumentPath(argv[1]).filename() != "g.cfg") {
    return Refuse("usage: db2asc.exe PRO_FOLDER\\g.cfg 1");
  }
  const fs::path config = ArgumentPath(argv[1]);
  try {
    if (!SameFolder(config.parent_path(), ArgumentPath(argv[0]).parent_path())) {
      return Refuse("g.cfg does not lie beside the program");
    }
    routix::db2asc::ExportFolders folders = routix::db2asc::ReadExportConfig(config);
    if (!SameFolder(folders.program, config.parent_path()) ||
        !SameFolder(folders.program, fs::current_path())) {
      return Refuse("the working folder is not the PATH folder of g.cfg");
    }
    routix::db2asc::WriteStreetExports(folders.geo, folders.dyn);
  } catch (const routix::base::ConversionError& error) {
    return Refuse(error.what());
  } catch (const fs::filesystem_error& error) {
    return Refuse(error.what());
  }
  return 0;
}
