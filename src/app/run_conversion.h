// The work behind the Go button. RunConversion runs the boundary conversion and then the
// street network conversion, each only when its box is ticked, after checking its inputs;
// it unticks the box of each conversion that ran or was refused and reports the outcome in
// message boxes. An error inside a conversion is shown in a critical message box, leaves
// that conversion's box ticked for another try, and is never followed by "Convert finished !".
#pragma once

#include "app/conversion_ui.h"
#include "base/program_services.h"
#include "boundaries/boundary_selection.h"

namespace routix::app {

// selected_boundaries is the window's SelectedBoundaries with the dialog's settings; an
// empty col_return means that no boundary is selected, and releasing it empties it.
void RunConversion(ConversionUi& ui, boundaries::BoundarySelection& selected_boundaries,
                   const base::ProgramServices& services);

// Whether the street network conversion may start: checks the Server folder, its GEO folder
// and the destination as typed, asking before an existing destination is replaced.
bool ValidatePaths(ConversionUi& ui, const base::FileSystemService& files);

}  // namespace routix::app
