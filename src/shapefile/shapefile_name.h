// The base name of a shapefile set: the path without its ".shp" ending (in any case); a path
// that does not end in ".shp" is the base name as it stands, so "C:\out\roads" writes
// C:\out\roads.shp and not C:\out\ro.shp.
#pragma once

#include <string>
#include <string_view>

namespace routix::shapefile {

std::string ShapefileBaseName(std::string_view path);

}  // namespace routix::shapefile
