// Converts the street exports in a Server folder's DYN into one polyline set: a record and a
// 25-field row per Mapfil.asc segment, with the points of its Nodfil.asc line, then per
// Second.asc segment, with the points of a marked segment with the same ends. The exports
// stream through; only the ShapeCache grows, and a long line costs no more than the points
// of its segment. The calling thread reads the exports and alone reports progress and
// yields; a second thread formats and writes the set, and a failure on either stops both.
// The set is staged and takes the place of an earlier one only when it is complete, with a
// journal in its folder; the caller holds the folder's DestinationLock. A missing or unreadable
// export, a failed write, a file of the set that is an export, and a lack of memory (naming the
// export being read) throw ConversionError and leave every earlier file as it was.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "base/program_services.h"

namespace routix::streets {

// Writes the set output_base.shp, .shx, .dbf, .cpg, and .prj with the text projection unless
// it is empty; gives the number of records written.
int32_t ConvertStreetNetwork(const std::string& server_folder, const std::string& output_base,
                             const base::ProgramServices& services,
                             std::string_view projection = {});

}  // namespace routix::streets
