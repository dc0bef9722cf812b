#include "app/run_conversion.h"

#include <exception>
#include <string>

#include "app/driver_paths.h"
#include "app/street_paths.h"
#include "boundaries/boundary_conversion.h"
#include "streets/export_run.h"
#include "streets/server_folder.h"
#include "streets/street_conversion.h"

namespace routix::app {
namespace {

// The hourglass for the length of one conversion, also when it throws.
class BusyPointer {
 public:
  explicit BusyPointer(ConversionUi& ui) : ui_(ui) { ui_.SetBusyPointer(true); }
  BusyPointer(const BusyPointer&) = delete;
  BusyPointer& operator=(const BusyPointer&) = delete;
  ~BusyPointer() { ui_.SetBusyPointer(false); }

 private:
  ConversionUi& ui_;
};

void ResetProgressDisplay(const base::ProgramServices& services) {
  services.main_progress_bar.SetValue(0);
  services.main_status_panel.SetText(std::string(kFinished));
}

// Runs one step of a conversion; an error it raises is shown once the step has unwound (the
// pointer is back to normal by then), and false tells the caller to stop the run with the box
// still ticked.
template <typename Step>
bool Attempt(ConversionUi& ui, Step step) {
  try {
    step();
    return true;
  } catch (const std::exception& error) {
    ui.ShowMessage(ConversionFailed(error.what()));
    return false;
  }
}

// The boundary part; false when the run stops here.
bool RunBoundaryPart(ConversionUi& ui, bool geocode_ticked,
                     boundaries::BoundarySelection& selected_boundaries,
                     const base::ProgramServices& services) {
  const base::FileSystemService& files = services.file_system_service;
  const std::string server_folder = ui.ServerFolderText();
  const std::string destination = ui.DestinationText();
  if (!files.FileExists(BoundaryDataFile(server_folder))) {
    ui.ShowMessage(RxybndNotFound(DynFolderForMessage(server_folder)));
    return false;
  }
  if (!files.FileExists(BoundaryExtensionFile(server_folder))) {
    ui.ShowMessage(RxybxtNotFound(DynFolderForMessage(server_folder)));
    return false;
  }
  if (selected_boundaries.col_return.empty()) {
    if (geocode_ticked) ResetProgressDisplay(services);
    ui.Untick(CheckBox::kDat2Shp);
    return geocode_ticked;
  }
  if (!selected_boundaries.one_file_per_boundary) {
    const std::string combined = CombinedOutput(destination);
    if (files.FileExists(combined)) {
      if (ui.ShowMessage(ReplaceCombinedOutput(combined)) != Answer::kYes) {
        ui.Untick(CheckBox::kDat2Shp);
        return false;
      }
      if (!Attempt(ui, [&] { files.DeleteMatches(CombinedOutputPattern(destination)); })) {
        return false;
      }
    }
  }
  if (!Attempt(ui, [&] {
        BusyPointer busy(ui);
        boundaries::ConvertBoundaries(DynFolderForConversion(server_folder), destination,
                                      selected_boundaries, services);
      })) {
    return false;
  }
  selected_boundaries.col_return.clear();
  ResetProgressDisplay(services);
  ui.Untick(CheckBox::kDat2Shp);
  return true;
}

// The street network part; false when the run stops here.
bool RunStreetPart(ConversionUi& ui, boundaries::BoundarySelection& selected_boundaries,
                   const base::ProgramServices& services) {
  if (!ValidatePaths(ui, services.file_system_service)) {
    ui.Untick(CheckBox::kGeo2Shp);
    return false;
  }
  const std::string server_folder = ui.ServerFolderText();
  bool exported = false;
  if (!Attempt(ui, [&] {
        streets::PrepareServerFolder(server_folder, services);
        exported = streets::RunExportTool(server_folder, services);
      })) {
    return false;
  }
  if (!exported) {
    ui.ShowMessage(IncompatibleDictionary());
    ui.Untick(CheckBox::kGeo2Shp);
    services.main_status_panel.SetText(std::string(kFinished));
    selected_boundaries.col_return.clear();
    return false;
  }
  const std::string destination = ui.DestinationText();
  if (!Attempt(ui, [&] {
        BusyPointer busy(ui);
        streets::ConvertStreetNetwork(server_folder, destination, services);
      })) {
    return false;
  }
  ui.Untick(CheckBox::kGeo2Shp);
  return true;
}

}  // namespace

bool ValidatePaths(ConversionUi& ui, const base::FileSystemService& files) {
  const std::string server_folder = ui.ServerFolderText();
  const std::string destination = ui.DestinationText();
  switch (CheckStreetPaths(server_folder, destination, files)) {
    case StreetPathCheck::kReady:
      return true;
    case StreetPathCheck::kServerFolderMissing:
      ui.ShowMessage(ServerPathIncorrect(server_folder));
      return false;
    case StreetPathCheck::kGeoFolderMissing:
      ui.ShowMessage(GeoFolderNotFound(server_folder));
      return false;
    case StreetPathCheck::kDestinationExists:
      if (ui.ShowMessage(ReplaceDestination(destination)) == Answer::kYes) return true;
      ui.BrowseDestination();
      return false;
    case StreetPathCheck::kDestinationFolderMissing:
      ui.ShowMessage(DestinationPathIncorrect(destination));
      return false;
  }
  return false;
}

void RunConversion(ConversionUi& ui, boundaries::BoundarySelection& selected_boundaries,
                   const base::ProgramServices& services) {
  const bool geocode = ui.IsTicked(CheckBox::kGeo2Shp);
  const bool boundary = ui.IsTicked(CheckBox::kDat2Shp);
  if (!geocode && !boundary) {
    ui.ShowMessage(SelectConvertType());
    ui.FocusGeocodeBox();
    return;
  }
  if (boundary && !RunBoundaryPart(ui, geocode, selected_boundaries, services)) return;
  if (geocode && !RunStreetPart(ui, selected_boundaries, services)) return;
  ResetProgressDisplay(services);
  ui.ShowMessage(ConvertFinished());
  selected_boundaries.col_return.clear();
}

}  // namespace routix::app
