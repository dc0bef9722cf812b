// The work behind the Go button. RunConversion takes the destination folder's lock, which
// repairs what a stopped run left there, and holds it to the end; it runs the boundary
// conversion and then the street network conversion, each only when its box is ticked, after
// checking its inputs;
// it unticks the box of each conversion that ran or was refused and reports the outcome in
// message boxes. An error inside a conversion is shown in a critical message box, clears the
// status panel, leaves that conversion's box ticked for another try, and is never followed by
// "Convert finished !".
#pragma once

#include <cstdint>
#include <string>

#include "app/conversion_ui.h"
#include "base/program_services.h"
#include "boundaries/boundary_conversion.h"
#include "boundaries/boundary_selection.h"

namespace routix::app {

// How a front end wants the run; the window takes the defaults.
struct RunOptions {
  // false: the street part converts the exports already in DYN, without preparing the Server
  // folder or running the export program.
  bool run_export = true;
  // true: one-set-per-boundary mode asks before it replaces a set that is there already, as
  // the other outputs do; the window asks nothing in that mode.
  bool ask_before_each_boundary_set = false;
  // The projection file (.prj) copied beside every set, naming its coordinate system; empty
  // for none, as in the window. The run reads it before it touches anything and stops with
  // the reason when it cannot.
  std::string projection_file{};
  // The shape type of the boundary sets where the pick names none (a front end without the
  // selection dialog): polylines, the rings' outlines, when true; polygons otherwise.
  bool boundary_polylines = false;
};

// What a run did, for a front end that sums it up.
struct RunResult {
  bool finished = false;  // it ended with "Convert finished !"
  int32_t street_records = 0;
  boundaries::BoundaryConversionResult boundaries;
};

// selected_boundaries is the window's SelectedBoundaries with the dialog's settings; an
// empty col_return means that no boundary is selected, and releasing it empties it.
RunResult RunConversion(ConversionUi& ui, boundaries::BoundarySelection& selected_boundaries,
                        const base::ProgramServices& services, const RunOptions& options = {});

// Whether the street network conversion may start: checks the Server folder, its GEO folder
// (which only the export program reads, so only when it runs) and the destination as typed,
// asking before the set it names is replaced.
bool ValidatePaths(ConversionUi& ui, const base::FileSystemService& files, bool run_export = true);

}  // namespace routix::app
