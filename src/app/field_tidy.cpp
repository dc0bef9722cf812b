#include "app/field_tidy.h"

#include "base/path_utils.h"

namespace routix::app {
namespace {

std::string TrimmedNormalized(std::string_view text, char separator) {
  std::string path(base::TrimSpaces(text));
  const bool windows = separator == '\\';
  if (windows) {
    for (char& c : path) {
      if (c == '/') c = separator;
    }
  }
  path = base::NormalizePath(path, separator);
  if (!path.empty() && path.back() == separator) path.pop_back();
  if (windows) {
    const size_t last = path.find_last_not_of(". ");
    if (last == std::string::npos || path[last] == separator || path[last] == ':') {
      return path;  // "." and ".." name folders, not files
    }
    path.erase(last + 1);
  }
  return path;
}

}  // namespace

std::string TidyServerFolder(std::string_view text, char separator) {
  return TrimmedNormalized(text, separator);
}

std::string TidyDestination(std::string_view text, char separator) {
  std::string path = TrimmedNormalized(text, separator);
  if (path.empty()) return path;
  if (!base::EndsWithAnyCase(path, ".shp")) path += ".shp";
  return path;
}

}  // namespace routix::app
