#include "shapefile/shapefile_name.h"

namespace routix::shapefile {

std::string ShapefileBaseName(std::string_view path) {
  if (path.size() >= 4) {
    std::string_view ending = path.substr(path.size() - 4);
    bool is_shp = ending[0] == '.';
    for (size_t i = 1; i < 4; ++i) {
      char c = ending[i];
      if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
      is_shp = is_shp && c == ".shp"[i];
    }
    if (is_shp) path.remove_suffix(4);
  }
  return std::string(path);
}

}  // namespace routix::shapefile
