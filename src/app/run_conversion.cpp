#include "app/run_conversion.h"

#include <exception>
#include <optional>
#include <string>
#include <vector>

#include "app/destination.h"
#include "app/driver_paths.h"
#include "base/destination_lock.h"
#include "base/path_utils.h"
#include "platform/ansi_text.h"
#include "shapefile/projection_file.h"
#include "shapefile/shapefile_format.h"
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

// Runs one step of a conversion; an error it raises empties the progress bar and the status
// panel, which would otherwise go on showing the step, and is shown once the step has unwound
// (the pointer is back to normal by then). false tells the caller to stop the run with the
// box still ticked.
template <typename Step>
bool Attempt(ConversionUi& ui, const base::ProgramServices& services, Step step) {
  try {
    step();
    return true;
  } catch (const std::exception& error) {
    services.main_progress_bar.SetValue(0);
    services.main_status_panel.SetText("");
    ui.ShowMessage(ConversionFailed(error.what()));
    return false;
  }
}

// The main file of the first set that one-set-per-boundary mode would replace, or nothing.
std::string FirstExistingBoundarySet(const std::string& server_folder,
                                     const boundaries::BoundaryOutput& output,
                                     const boundaries::BoundarySelection& selected_boundaries,
                                     const base::FileSystemService& files) {
  for (const std::string& base : boundaries::PerBoundaryOutputBases(
           files.file_system(), DynFolderForConversion(server_folder), output.folder,
           selected_boundaries)) {
    if (files.FileExists(base + ".shp")) return base + ".shp";
  }
  return {};
}

// Whether the boundary outputs may be written: asks before the combined output, or with
// ask_each the first per-boundary set, is replaced, and on Yes has the conversion remove
// every file of the combined output's base name before its own take their places. false
// when the run stops here.
bool MayReplaceBoundaryOutput(ConversionUi& ui, const std::string& server_folder,
                              boundaries::BoundaryOutput& output,
                              const boundaries::BoundarySelection& selected_boundaries,
                              bool ask_each, const base::ProgramServices& services) {
  const base::FileSystemService& files = services.file_system_service;
  std::string existing;
  if (!selected_boundaries.one_file_per_boundary) {
    if (files.FileExists(output.combined_base + ".shp")) existing = output.combined_base + ".shp";
  } else if (ask_each && !Attempt(ui, services, [&] {
               existing =
                   FirstExistingBoundarySet(server_folder, output, selected_boundaries, files);
             })) {
    return false;
  }
  if (existing.empty()) return true;
  if (ui.ShowMessage(ReplaceExisting(existing)) != Answer::kYes) {
    ui.Untick(CheckBox::kDat2Shp);
    return false;
  }
  output.remove_files_of_combined_base = !selected_boundaries.one_file_per_boundary;
  return true;
}

// The boundary part; false when the run stops here.
bool RunBoundaryPart(ConversionUi& ui, bool geocode_ticked,
                     boundaries::BoundarySelection& selected_boundaries,
                     const base::ProgramServices& services, const RunOptions& options,
                     const std::string& projection, RunResult& result) {
  const base::FileSystemService& files = services.file_system_service;
  const std::string server_folder = ui.ServerFolderText();
  boundaries::BoundaryOutput output = BoundaryOutputOf(ui.DestinationText());
  output.projection = projection;
  if (selected_boundaries.boundary_shape_type == 0) {
    selected_boundaries.boundary_shape_type = static_cast<int16_t>(
        options.boundary_polylines ? shapefile::kPolyLine : shapefile::kPolygon);
  }
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
  // A destination without a folder would put the sets into the working folder, or a drive's
  // root, that nobody named; the street part refuses it the same way.
  if (!files.FolderExists(output.folder)) {
    ui.ShowMessage(DestinationPathIncorrect(ui.DestinationText()));
    return false;
  }
  if (!MayReplaceBoundaryOutput(ui, server_folder, output, selected_boundaries,
                                options.ask_before_each_boundary_set, services)) {
    return false;
  }
  if (!Attempt(ui, services, [&] {
        BusyPointer busy(ui);
        result.boundaries = boundaries::ConvertBoundaries(DynFolderForConversion(server_folder),
                                                          output, selected_boundaries, services);
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
                   const base::ProgramServices& services, const RunOptions& options,
                   const std::string& projection, RunResult& result) {
  if (!ValidatePaths(ui, services.file_system_service, options.run_export)) {
    ui.Untick(CheckBox::kGeo2Shp);
    return false;
  }
  const std::string server_folder = ui.ServerFolderText();
  // The export's command line quotes its paths with ", which no Windows name may hold.
  if (options.run_export && server_folder.find('"') != std::string::npos) {
    ui.ShowMessage(ServerFolderWithQuote(server_folder));
    ui.Untick(CheckBox::kGeo2Shp);
    return false;
  }
  if (options.run_export && !platform::AnsiFolderPath(server_folder)) {
    ui.ShowMessage(ServerFolderNotInCodePage(server_folder));
    ui.Untick(CheckBox::kGeo2Shp);
    return false;
  }
  // Without the export run, what DYN holds is converted when its street export is there.
  bool exported =
      !options.run_export && services.file_system_service.FileExists(ExportMarker(server_folder));
  std::optional<int> export_status;
  if (options.run_export && !Attempt(ui, services, [&] {
        streets::PrepareServerFolder(server_folder, services);
        const streets::ExportOutcome outcome = streets::RunExportTool(server_folder, services);
        exported = outcome.succeeded();
        export_status = outcome.exit_status;
      })) {
    return false;
  }
  if (!exported) {
    ui.ShowMessage(export_status.value_or(0) != 0 ? IncompatibleDictionary(*export_status)
                                                  : IncompatibleDictionary());
    ui.Untick(CheckBox::kGeo2Shp);
    services.main_status_panel.SetText(std::string(kFinished));
    selected_boundaries.col_return.clear();
    return false;
  }
  const std::string output_base = OutputBase(ui.DestinationText());
  if (!Attempt(ui, services, [&] {
        BusyPointer busy(ui);
        result.street_records =
            streets::ConvertStreetNetwork(server_folder, output_base, services, projection);
      })) {
    return false;
  }
  ui.Untick(CheckBox::kGeo2Shp);
  return true;
}

}  // namespace

bool ValidatePaths(ConversionUi& ui, const base::FileSystemService& files, bool run_export) {
  const std::string server_folder = ui.ServerFolderText();
  const std::string destination = ui.DestinationText();
  const std::string main_file = OutputMainFile(destination);
  if (!files.FolderExists(server_folder)) {
    ui.ShowMessage(ServerPathIncorrect(server_folder));
    return false;
  }
  if (run_export && !files.FolderExists(server_folder + base::NativeSeparators("\\GEO"))) {
    ui.ShowMessage(GeoFolderNotFound(server_folder));
    return false;
  }
  if (files.FileExists(main_file)) {
    if (ui.ShowMessage(ReplaceExisting(main_file)) == Answer::kYes) return true;
    ui.BrowseDestination();
    return false;
  }
  if (files.FolderExists(base::FolderOfPath(main_file))) return true;
  ui.ShowMessage(DestinationPathIncorrect(destination));
  return false;
}

RunResult RunConversion(ConversionUi& ui, boundaries::BoundarySelection& selected_boundaries,
                        const base::ProgramServices& services, const RunOptions& options) {
  RunResult result;
  const bool geocode = ui.IsTicked(CheckBox::kGeo2Shp);
  const bool boundary = ui.IsTicked(CheckBox::kDat2Shp);
  if (!geocode && !boundary) {
    ui.ShowMessage(SelectConvertType());
    ui.FocusGeocodeBox();
    return result;
  }
  std::string projection;
  if (!options.projection_file.empty() && !Attempt(ui, services, [&] {
        projection = shapefile::ReadProjectionFile(services.file_system_service.file_system(),
                                                   options.projection_file);
      })) {
    return result;
  }
  // Held from before the first question to the end, so that no other run writes between what
  // the user is asked and what this run replaces. A folder that is not there, or none named
  // (which would be the working folder), has nothing to keep and is not touched: each part
  // refuses it in its own words.
  std::optional<base::DestinationLock> lock;
  const std::string folder = base::FolderOfPath(OutputMainFile(ui.DestinationText()));
  if (!folder.empty() && services.file_system_service.FolderExists(folder) &&
      !Attempt(ui, services,
               [&] { lock.emplace(services.file_system_service.file_system(), folder); })) {
    return result;
  }
  if (boundary &&
      !RunBoundaryPart(ui, geocode, selected_boundaries, services, options, projection, result)) {
    return result;
  }
  if (geocode && !RunStreetPart(ui, selected_boundaries, services, options, projection, result)) {
    return result;
  }
  ResetProgressDisplay(services);
  ui.ShowMessage(ConvertFinished());
  selected_boundaries.col_return.clear();
  result.finished = true;
  return result;
}

}  // namespace routix::app
