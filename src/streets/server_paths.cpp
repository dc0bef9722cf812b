#include "streets/server_paths.h"

#include "base/path_utils.h"

namespace routix::streets {

std::string JoinPath(std::string_view folder, std::string_view literal, char separator) {
  std::string path(folder);
  for (char c : literal) path += c == '\\' ? separator : c;
  return path;
}

std::string ServerPath(std::string_view folder, std::string_view literal, char separator) {
  return base::NormalizePath(JoinPath(folder, literal, separator), separator);
}

}  // namespace routix::streets
