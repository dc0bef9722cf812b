#include "boundaries/boundary_conversion.h"

#include <new>
#include <optional>
#include <stdexcept>
#include <vector>

#include "base/conversion_error.h"
#include "base/input_file.h"
#include "base/path_utils.h"
#include "base/staged_files.h"
#include "base/text_stream.h"
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
  const base::FileSystemService& files = services.file_system_service;
  BoundaryFile boundary_file(files.file_system(), RxybndPath(dyn_folder));
  base::InputFile extension_file(files.file_system(), RxybxtPath(dyn_folder));
  base::StagedFiles staged(files, {boundary_file.path(), extension_file.path()}, output.folder);
  // The report of an earlier run goes, unless this run writes one of its own.
  const std::string report_path =
      base::NormalizePath(output.folder + base::NativeSeparators("\\Report.err"));
  staged.RemoveOnCommit(report_path);
  if (output.remove_files_of_combined_base) {
    staged.RemoveFilesOfBaseOnCommit(output.combined_base);
  }

  const int32_t n = static_cast<int32_t>(boundary_file.record_count());
  services.main_status_panel.SetText("Converting Dat file to shape file ...");
  services.main_progress_bar.SetMaximum(n);
  services.main_progress_bar.SetValue(0);

  const KeyedCollection selected = SelectedKeys(selection);
  const base::Date today = services.clock.Today();
  BoundaryConversionResult result;
  std::optional<base::TextWriter> report;
  std::optional<shapefile::ShapefileSet> set;
  try {
    if (!selection.one_file_per_boundary) {
      set.emplace(shapefile::OpenShapefileSet(staged, output.combined_base,
                                              selection.boundary_shape_type, kBoundaryTable, today,
                                              output.projection));
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
      CheckNodesFinite(record, boundary_file.path(), extension_file.path());
      if (!report.has_value()) report.emplace(staged.Create(report_path));
      if (selection.one_file_per_boundary) {
        set.emplace(shapefile::OpenShapefileSet(
            staged, PerBoundaryBase(used_output_names, output.folder, record.description),
            selection.boundary_shape_type, kBoundaryTable, today, output.projection));
        ++result.sets;
      }
      const std::string descr = DescriptionWithoutNul(record.description);
      WriteBoundaryShape(record, RingReport{*report, i, descr}, *set, points);
      ++result.records;
      if (selection.one_file_per_boundary) set->Close();
    }
    if (set.has_value()) set->Close();
    if (report.has_value()) report->Close();
  } catch (const std::bad_alloc&) {
    throw base::OutOfMemoryReading(boundary_file.path());
  }
  staged.Commit();
  return result;
}

std::vector<std::string> PerBoundaryOutputBases(base::FileSystem& files,
                                                const std::string& dyn_folder,
                                                const std::string& folder,
                                                const BoundarySelection& selection) {
  BoundaryFile boundary_file(files, RxybndPath(dyn_folder));
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
