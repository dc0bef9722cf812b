#include "app/field_tidy.h"

#include "base/path_utils.h"

namespace routix::app {
namespace {

std::string TrimmedNormalized(std::string_view text) {
  std::string path = base::NormalizePath(base::TrimSpaces(text));
  if (!path.empty() && path.back() == platform::kNativeSeparator) path.pop_back();
  return path;
}

}  // namespace

std::string TidyServerFolder(std::string_view text) { return TrimmedNormalized(text); }

std::string TidyDestination(std::string_view text) {
  std::string path = TrimmedNormalized(text);
  if (path.empty()) return path;
  if (path.size() < 4 || path.compare(path.size() - 4, 4, ".shp") != 0) path += ".shp";
  return path;
}

}  // namespace routix::app
