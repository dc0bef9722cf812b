#include "boundaries/boundary_conversion.h"

#include <optional>
#include <stdexcept>
#include <vector>

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

KeyedCollection SelectedKeys(const BoundarySelection& selection) {
  KeyedCollection selected;
  for (const std::string& key : selection.col_return) AddKey(selected, key);
  return selected;
}

// Whether the record at ordinal is written: it is selected and has at least two nodes.
bool IsWritten(const KeyedCollection& selected, int64_t ordinal, const BoundaryRecord& record) {
  return CollectionHasKey(selected, std::to_string(ordinal)) && record.node_count > 1;
}

}  // namespace

BoundaryConversionResult ConvertBoundaries(const std::string& dyn_folder,
                                           const BoundaryOutput& output,
                                           const BoundarySelection& selection,
                                           const base::ProgramServices& services) {
  if (selection.boundary_shape_type != shapefile::kPolygon &&
      selection.boundary_shape_type != shapefile::kPolyLine) {
    throw std::invalid_argument("boundary shape type other than polygon or polyline");
  }
  const std::string report_path =
      base::NormalizePath(output.folder + base::NativeSeparators("\\Report.err"));
  if (services.file_system_service.FileExists(report_path)) {
    services.file_system_service.DeleteFile(report_path);
  }

  BoundaryFile boundary_file(RxybndPath(dyn_folder));
  base::InputFile extension_file(RxybxtPath(dyn_folder));
  const int32_t n = static_cast<int32_t>(boundary_file.record_count());

  services.main_status_panel.SetText("Converting Dat file to shape file ...");
  services.main_progress_bar.SetMaximum(n);
  services.main_progress_bar.SetValue(0);

  const KeyedCollection selected = SelectedKeys(selection);
  const base::Date today = services.clock.Today();
  BoundaryConversionResult result;
  std::optional<shapefile::ShapefileSet> set;
  if (!selection.one_file_per_boundary) {
    set.emplace(shapefile::OpenShapefileSet(output.combined_base, selection.boundary_shape_type,
                                            kBoundaryTable, today));
    result.sets = 1;
  }

  UsedOutputNames used_output_names;
  BoundaryRecord record;
  std::vector<shapefile::ShapePoint> points;
  for (int32_t i = 1; i <= n; ++i) {
    services.main_progress_bar.AddOne();
    boundary_file.ReadNext(record);
    if (!IsWritten(selected, i, record)) {
      if (CollectionHasKey(selected, std::to_string(i))) ++result.left_out;
      continue;
    }

    // The chain is read before a per-boundary set is opened, so that a broken chain leaves
    // an existing set of that name as it was.
    if (record.node_count > kRecordNodes) ReadExtensionPoints(record, extension_file);
    if (selection.one_file_per_boundary) {
      set.emplace(shapefile::OpenShapefileSet(
          PerBoundaryBase(used_output_names, output.folder, record.description),
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

std::vector<std::string> PerBoundaryOutputBases(const std::string& dyn_folder,
                                                const std::string& folder,
                                                const BoundarySelection& selection) {
  BoundaryFile boundary_file(RxybndPath(dyn_folder));
  const KeyedCollection selected = SelectedKeys(selection);
  UsedOutputNames used_output_names;
  std::vector<std::string> bases;
  BoundaryRecord record;
  for (int64_t i = 1; i <= boundary_file.record_count(); ++i) {
    boundary_file.ReadNext(record);
    if (IsWritten(selected, i, record)) {
      bases.push_back(PerBoundaryBase(used_output_names, folder, record.description));
    }
  }
  return bases;
}

}  // namespace routix::boundaries
