#include "app/destination.h"

#include "base/path_utils.h"

namespace routix::app {
namespace {

constexpr std::string_view kShp = ".shp";

}  // namespace

std::string OutputBase(std::string_view destination) {
  if (base::EndsWithAnyCase(destination, kShp)) destination.remove_suffix(kShp.size());
  return std::string(destination);
}

std::string OutputMainFile(std::string_view destination) {
  return OutputBase(destination) + std::string(kShp);
}

boundaries::BoundaryOutput BoundaryOutputOf(std::string_view destination) {
  const std::string main_file = OutputMainFile(destination);
  const std::string name = base::FileNameOfPath(main_file);
  const std::string folder = base::FolderOfPath(main_file);
  return {folder, base::NormalizePath(folder + base::NativeSeparators("\\Bnd_") +
                                      name.substr(0, name.size() - kShp.size()))};
}

}  // namespace routix::app
