#include "app/select_boundaries.h"

#include <exception>
#include <string>
#include <vector>

#include "app/driver_paths.h"
#include "boundaries/boundary_files.h"
#include "boundaries/boundary_list.h"

namespace routix::app {

void SelectBoundaries(ConversionUi& ui, boundaries::BoundarySelection& selected_boundaries,
                      const base::ProgramServices& services) {
  if (!ui.IsTicked(CheckBox::kDat2Shp)) return;
  const base::FileSystemService& files = services.file_system_service;
  const std::string server_folder = ui.ServerFolderText();
  if (!files.FileExists(BoundaryDataFile(server_folder))) {
    ui.ShowMessage(RxybndNotFound(DynFolderForMessage(server_folder)));
    ui.Untick(CheckBox::kDat2Shp);
    return;
  }
  const std::string dyn_folder = DynFolder(server_folder);
  std::vector<boundaries::BoundaryListRow> rows;
  try {
    rows = boundaries::ReadBoundaryList(files.file_system(), dyn_folder);
  } catch (const std::exception& error) {
    ui.ShowMessage(ConversionFailed(error.what()));
    ui.Untick(CheckBox::kDat2Shp);
    return;
  }
  if (boundaries::RequiresExtensionFile(rows) &&
      !files.FileExists(boundaries::RxybxtPath(dyn_folder))) {
    ui.ShowMessage(RxybxtNotFound(DynFolderForMessage(server_folder)));
    selected_boundaries.col_return.clear();
    return;
  }
  selected_boundaries = ui.PickBoundaries(boundaries::ListBoundaries(rows), selected_boundaries);
}

}  // namespace routix::app
