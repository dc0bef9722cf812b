#include "boundaries/boundary_conversion.h"

#include <optional>
#include <stdexcept>
#include <vector>

#include "base/cp1252.h"
#include "base/input_file.h"
#include "base/path_utils.h"
#include "boundaries/boundary_files.h"
#include "boundaries/boundary_shape.h"
#include "boundaries/output_names.h"
#include "boundaries/ring_check.h"
#include "shapefile/shapefile_set.h"

namespace routix::boundaries {
namespace {

constexpr shapefile::FieldSpec kBoundaryTable[] = {{"ID", 'C', 16}, {"Descr", 'C', 60}};

}  // namespace

BoundaryConversionResult ConvertBoundaries(const std::string& dyn_folder,
                                           const std::string& destination,
                                           const BoundarySelection& selection,
                                           const base::ProgramServices& services) {
  if (selection.boundary_shape_type != shapefile::kPolygon &&
      selection.boundary_shape_type != shapefile::kPolyLine) {
    throw std::invalid_argument("boundary shape type other than polygon or polyline");
  }
  const std::string folder = base::FolderOfPath(destination);
  const std::string report_path =
      base::NormalizePath(folder + base::NativeSeparators("\\Report.err"));
  if (services.file_system_service.FileExists(report_path)) {
    services.file_system_service.DeleteFile(report_path);
  }

  BoundaryFile boundary_file(
      base::NormalizePath(dyn_folder + base::NativeSeparators("\\Rxybnd.dat")));
  base::InputFile extension_file(
      base::NormalizePath(dyn_folder + base::NativeSeparators("\\Rxybxt.dat")));
  const int32_t n = static_cast<int32_t>(boundary_file.record_count());

  services.main_status_panel.SetText("Converting Dat file to shape file ...");
  services.main_progress_bar.SetMaximum(n);
  services.main_progress_bar.SetValue(0);

  KeyedCollection selected;
  for (const std::string& key : selection.col_return) AddKey(selected, key);

  const base::Date today = services.clock.Today();
  BoundaryConversionResult result;
  std::optional<shapefile::ShapefileSet> set;
  if (!selection.one_file_per_boundary) {
    set.emplace(
        shapefile::OpenShapefileSet(base::NormalizePath(folder + base::NativeSeparators("\\Bnd_") +
                                                        base::FileNameOfPath(destination)),
                                    selection.boundary_shape_type, kBoundaryTable, today));
    result.sets = 1;
  }

  UsedOutputNames used_output_names;
  BoundaryRecord record;
  std::vector<shapefile::ShapePoint> points;
  for (int32_t i = 1; i <= n; ++i) {
    services.main_progress_bar.AddOne();
    boundary_file.ReadNext(record);
    if (!CollectionHasKey(selected, std::to_string(i)) || record.node_count <= 1) continue;

    // The chain is read before a per-boundary set is opened, so that a broken chain leaves
    // an existing set of that name as it was.
    if (record.node_count > kRecordNodes) ReadExtensionPoints(record, extension_file);
    if (selection.one_file_per_boundary) {
      std::string name = MakeOutputName(used_output_names, record.description);
      set.emplace(
          shapefile::OpenShapefileSet(base::NormalizePath(folder + base::NativeSeparators("\\") +
                                                          base::FileNameFromAnsi(name) + ".shp"),
                                      selection.boundary_shape_type, kBoundaryTable, today));
      ++result.sets;
    }
    const std::string descr = DescriptionWithoutNul(record.description);
    WriteBoundaryShape(record, RingReport{services.file_system_service, report_path, i, descr},
                       *set, points);
    ++result.records;
    if (selection.one_file_per_boundary) set->Close();
  }
  if (set.has_value()) set->Close();
  return result;
}

}  // namespace routix::boundaries
