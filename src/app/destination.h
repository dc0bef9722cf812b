// The one rule that turns the destination text into the sets that are written: the text
// less a ".shp" ending, in any case, or else the whole text, is the base name of the street
// set (C:\out\roads.shp, C:\out\roads and C:\out\roads.SHP all write C:\out\roads.shp, .shx,
// .dbf). The boundary outputs go into the folder of that set, the combined one named Bnd_
// and its name. Every existence test, the deletion and the conversions use these names, so
// what the user is asked about is exactly what is replaced.
#pragma once

#include <string>
#include <string_view>

#include "boundaries/boundary_conversion.h"

namespace routix::app {

std::string OutputBase(std::string_view destination);
// OutputBase and ".shp".
std::string OutputMainFile(std::string_view destination);
// The folder of the main file, and F\Bnd_<name of the main file less ".shp"> in it.
boundaries::BoundaryOutput BoundaryOutputOf(std::string_view destination);

}  // namespace routix::app
