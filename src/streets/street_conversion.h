// Converts the street exports in a Server folder's DYN into one polyline set: a record and a
// 25-field row per Mapfil.asc segment, with the points of its Nodfil.asc line, then per
// Second.asc segment, with the points of a marked segment with the same ends. The exports
// stream through; only the ShapeCache grows. A missing or unreadable export throws
// ConversionError naming it before the output is touched, and so does a failed write.
#pragma once

#include <cstdint>
#include <string>

#include "base/program_services.h"

namespace routix::streets {

// Writes the set output_base.shp, .shx, .dbf; gives the number of records written.
int32_t ConvertStreetNetwork(const std::string& server_folder, const std::string& output_base,
                             const base::ProgramServices& services);

}  // namespace routix::streets
