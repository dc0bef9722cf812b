#include "streets/street_conversion.h"

#include <limits>
#include <new>
#include <optional>
#include <string_view>

#include "base/conversion_error.h"
#include "base/path_utils.h"
#include "base/staged_files.h"
#include "base/text_stream.h"
#include "shapefile/shapefile_set.h"
#include "streets/lenient_number.h"
#include "streets/segment_record.h"
#include "streets/segment_writer.h"
#include "streets/shape_cache.h"
#include "streets/shape_line_reader.h"
#include "streets/street_table.h"

namespace routix::streets {
namespace {

std::string ExportPath(const std::string& server_folder, const char* literal) {
  return base::NormalizePath(server_folder + base::NativeSeparators(literal));
}

// One run: the open exports, the current ShapeLine and the cache, with the buffers every
// record reuses.
class StreetConversion {
 public:
  StreetConversion(const std::string& server_folder, const base::ProgramServices& services)
      : services_(services),
        mapfil_path_(ExportPath(server_folder, "\\DYN\\Mapfil.asc")),
        nodfil_path_(ExportPath(server_folder, "\\DYN\\Nodfil.asc")),
        second_path_(ExportPath(server_folder, "\\DYN\\Second.asc")),
        mapfil_(services.file_system_service.OpenTextFileForReading(mapfil_path_)),
        nodfil_(services.file_system_service.OpenTextFileForReading(nodfil_path_)),
        // Opened now, so that a missing Second.asc stops the run before anything is written.
        second_(services.file_system_service.OpenTextFileForReading(second_path_)),
        shape_lines_(nodfil_) {}

  int32_t Run(const std::string& output_base, std::string_view projection) {
    const base::FileSystemService& files = services_.file_system_service;
    base::StagedFiles staged(files, {mapfil_path_, nodfil_path_, second_path_},
                             base::FolderOfPath(output_base));
    try {
      reading_ = &mapfil_path_;
      const int64_t mapfil_lines = files.LineCount(mapfil_path_);
      reading_ = &nodfil_path_;
      has_shape_ = shape_lines_.Next();
      shapefile::ShapefileSet set =
          shapefile::OpenShapefileSet(staged, output_base, shapefile::kPolyLine, StreetFields(),
                                      services_.clock.Today(), projection);
      {
        SegmentWriter writer(set);
        StartProgress(mapfil_lines, "Writting shape file from mapfil.asc ...");
        services_.yield.Yield();
        ConvertMapfil(writer);
        mapfil_.Close();
        nodfil_.Close();

        reading_ = &second_path_;
        StartProgress(files.LineCount(second_path_), "Writting shape file from second.asc ...");
        ConvertSecond(writer);
        second_.Close();
        writer.Finish();
      }
      set.Close();
      staged.Commit();
      return set.run_state().records;
    } catch (const std::bad_alloc&) {
      throw base::OutOfMemoryReading(*reading_);
    }
  }

 private:
  void StartProgress(int64_t lines, const std::string& status) {
    constexpr int64_t kMaxProgress = std::numeric_limits<int32_t>::max();  // a 32-bit bar
    if (lines > 0) {
      services_.main_progress_bar.SetMaximum(
          static_cast<int32_t>(lines < kMaxProgress ? lines : kMaxProgress));
    }
    services_.main_progress_bar.SetValue(0);
    services_.main_status_panel.SetText(status);
  }

  // Each segment's points go straight into the writer's batch; the writer reads its ends.
  void ConvertMapfil(SegmentWriter& writer) {
    reading_ = &mapfil_path_;
    while (NextRecord(mapfil_)) {
      CountRecord();
      const bool matched =
          has_shape_ && shape_lines_.number() == ReadLenientNumber(Column(record_, kSegmentNumber));
      SegmentBatch& batch = writer.batch();
      reading_ = &nodfil_path_;
      batch.BeginSegment();
      if (matched) {
        shape_lines_.AppendPoints(batch.points());
        has_shape_ = shape_lines_.Next();
      }
      if (ReadLenientNumber(Column(record_, kShareMark)) > 0) {
        cache_.Remember(Column(record_, kFromText), Column(record_, kToText), batch.inner_points());
      }
      EndSegment(writer);
      reading_ = &mapfil_path_;
    }
  }

  void ConvertSecond(SegmentWriter& writer) {
    while (NextRecord(second_)) {
      CountRecord();
      SegmentBatch& batch = writer.batch();
      reading_ = &nodfil_path_;
      batch.BeginSegment();
      cache_.AppendShape(Column(record_, kFromText), Column(record_, kToText), batch.points());
      EndSegment(writer);
      reading_ = &second_path_;
    }
  }

  // Reads the next complete record of file into record_.
  bool NextRecord(base::TextReader& file) {
    if (file.AtEndOfStream()) return false;
    const std::optional<std::string_view> record = ReadSegmentRecord(file, record_storage_, line_);
    if (!record.has_value()) return false;
    record_ = *record;
    return true;
  }

  void CountRecord() {
    services_.main_progress_bar.AddOne();
    services_.yield.Yield();
  }

  void EndSegment(SegmentWriter& writer) {
    writer.batch().EndSegment(record_);
    writer.HandOverIfFull();
  }

  const base::ProgramServices& services_;
  const std::string mapfil_path_;
  const std::string nodfil_path_;
  const std::string second_path_;
  base::TextReader mapfil_;
  base::TextReader nodfil_;
  base::TextReader second_;
  ShapeLineReader shape_lines_;
  // The export whose reading needs what memory there is; named when there is not enough. A
  // segment's points are a Nodfil.asc line's, wherever they come from, and so is their memory.
  const std::string* reading_ = &mapfil_path_;
  ShapeCache cache_;
  bool has_shape_ = false;
  std::string_view record_;  // in its export's buffer or in record_storage_
  std::string record_storage_;
  std::string line_;
};

}  // namespace

int32_t ConvertStreetNetwork(const std::string& server_folder, const std::string& output_base,
                             const base::ProgramServices& services, std::string_view projection) {
  StreetConversion conversion(server_folder, services);
  return conversion.Run(output_base, projection);
}

}  // namespace routix::streets
