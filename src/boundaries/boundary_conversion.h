// The boundary conversion: every selected boundary of at least two nodes of a DYN folder's
// Rxybnd.dat (with Rxybxt.dat for the long ones) becomes one closed, clockwise polygon or
// polyline, in one combined set or in one set per boundary named after its description, in
// the output folder; Report.err there lists the edges that run back over others. Every file
// is staged, and all take the places of the earlier ones together once the last is written,
// set after set, with a journal in the folder; the caller holds the folder's DestinationLock.
// Any failure throws ConversionError naming
// the file and leaves every earlier file as it was.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "base/file_system.h"
#include "base/program_services.h"
#include "boundaries/boundary_selection.h"

namespace routix::boundaries {

struct BoundaryConversionResult {
  int32_t sets = 0;      // shapefile sets written
  int32_t records = 0;   // boundaries written into them
  int32_t left_out = 0;  // selected boundaries not written, having fewer than two nodes
};

// Where the boundaries go: the folder of Report.err and of the sets of one-set-per-boundary
// mode, and the base name (without ".shp") of the one set of all boundaries.
struct BoundaryOutput {
  std::string folder;
  std::string combined_base;
  // Every file named combined_base's name, a full stop and any extension goes, right before
  // the new files take their places: what Yes to replacing the combined output asks for.
  bool remove_files_of_combined_base = false;
  // The text of the .prj written beside every set; none when empty.
  std::string projection{};
};

// dyn_folder: the DYN folder, not normalised. Drives the progress bar (one step per record of
// Rxybnd.dat) and the status panel; never yields.
BoundaryConversionResult ConvertBoundaries(const std::string& dyn_folder,
                                           const BoundaryOutput& output,
                                           const BoundarySelection& selection,
                                           const base::ProgramServices& services);

// The base names of the sets that one-set-per-boundary mode writes into folder, in the order
// it writes them: one for each selected boundary of at least two nodes.
std::vector<std::string> PerBoundaryOutputBases(base::FileSystem& files,
                                                const std::string& dyn_folder,
                                                const std::string& folder,
                                                const BoundarySelection& selection);

}  // namespace routix::boundaries
