// What ticking the boundary box does: with Rxybnd.dat in the Server folder's DYN, the list of
// boundaries is read and offered in the selection dialog, and what the dialog hands back
// becomes the selection; without it the box is unticked again. A list with a boundary of more
// nodes than a record holds is refused when Rxybxt.dat is missing: no dialog, no selection,
// the box stays ticked. Every refusal and read error is shown in a message box.
#pragma once

#include "app/conversion_ui.h"
#include "base/program_services.h"
#include "boundaries/boundary_selection.h"

namespace routix::app {

// Does nothing while the boundary box is unticked. selected_boundaries is the window's
// SelectedBoundaries with the settings of the dialog's last OK.
void SelectBoundaries(ConversionUi& ui, boundaries::BoundarySelection& selected_boundaries,
                      const base::ProgramServices& services);

}  // namespace routix::app
