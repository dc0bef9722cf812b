// The boundary conversion: every selected boundary of at least two nodes of a DYN folder's
// Rxybnd.dat (with Rxybxt.dat for the long ones) becomes one closed, clockwise polygon or
// polyline, in one set Bnd_<destination name> or in one set per boundary named after its
// description, beside the destination; Report.err there lists the edges that run back over
// others. Any failure throws ConversionError naming the file, with the open set closed.
#pragma once

#include <cstdint>
#include <string>

#include "base/program_services.h"
#include "boundaries/boundary_selection.h"

namespace routix::boundaries {

struct BoundaryConversionResult {
  int32_t sets = 0;     // shapefile sets written
  int32_t records = 0;  // boundaries written into them
};

// dyn_folder: the DYN folder, not normalised; destination: the destination .shp path as typed,
// of which only the folder counts in one-set-per-boundary mode. Drives the progress bar (one
// step per record of Rxybnd.dat) and the status panel; never yields.
BoundaryConversionResult ConvertBoundaries(const std::string& dyn_folder,
                                           const std::string& destination,
                                           const BoundarySelection& selection,
                                           const base::ProgramServices& services);

}  // namespace routix::boundaries
