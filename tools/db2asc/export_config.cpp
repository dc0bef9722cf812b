#include "export_config.h"

#include <array>
#include <string>
#include <string_view>

#include "base/conversion_error.h"
#include "base/input_file.h"
#include "platform/ansi_text.h"
#include "platform/file_path.h"
#include "platform/native_file_system.h"

namespace routix::db2asc {
namespace {

// g.cfg is nine short lines; anything longer is not one.
constexpr size_t kMaxConfigBytes = 64 * 1024;
constexpr size_t kConfigLines = 9;

std::string ReadWhole(const std::filesystem::path& config) {
  platform::NativeFileSystem files;
  base::InputFile file(files, platform::PathText(config));
  if (file.size() > kMaxConfigBytes) {
    throw base::FileError("read", platform::PathText(config), "it is too long for a configuration");
  }
  std::string text(static_cast<size_t>(file.size()), '\0');
  text.resize(file.ReadAt(0, text.data(), text.size()));
  return text;
}

}  // namespace

ExportFolders ReadExportConfig(const std::filesystem::path& config) {
  const std::string text = ReadWhole(config);
  auto wrong = [&](std::string_view why) {
    return base::FileError("use", platform::PathText(config), why);
  };

  std::array<std::string, kConfigLines> lines;
  size_t at = 0;
  for (std::string& line : lines) {
    size_t end = text.find("\r\n", at);
    if (end == std::string::npos) throw wrong("it has fewer than nine lines ended by CR LF");
    line = text.substr(at, end - at);
    if (line.find_first_of("\r\n") != std::string::npos) throw wrong("a line break is not CR LF");
    at = end + 2;
  }
  if (at != text.size()) throw wrong("it has more than nine lines");

  auto value = [&](size_t number, std::string_view key) {
    const std::string& line = lines[number - 1];
    if (!line.starts_with(key)) {
      throw wrong("line " + std::to_string(number) + " does not start with " + std::string(key));
    }
    const std::string path = platform::FromAnsiCodePage(std::string_view(line).substr(key.size()));
    return platform::FilePath(path).lexically_normal();
  };
  auto fixed = [&](size_t number, std::string_view expected) {
    if (lines[number - 1] != expected) {
      throw wrong("line " + std::to_string(number) + " is not \"" + std::string(expected) + "\"");
    }
  };

  fixed(1, "[ASSIGN]");
  ExportFolders folders{value(2, "DYN="), value(3, "GEO="), value(8, "PATH=")};
  const std::filesystem::path sta = value(4, "STA="), rpt = value(5, "RPT="),
                              tmp = value(6, "TMP=");
  fixed(7, "[EPA] ");
  fixed(9, "POLLING TIME = 1");

  const std::filesystem::path server = folders.program.parent_path();
  if (folders.dyn != server / "DYN" || folders.geo != server / "GEO" || sta != server / "STA" ||
      rpt != server / "RPT" || tmp != folders.program / "TMP") {
    throw wrong("its folders do not lie beside its PATH folder");
  }
  return folders;
}

}  // namespace routix::db2asc
