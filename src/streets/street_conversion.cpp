#include "streets/street_conversion.h"

#include <array>
#include <limits>
#include <string_view>
#include <vector>

#include "base/path_utils.h"
#include "base/text_stream.h"
#include "shapefile/shapefile_set.h"
#include "streets/lenient_number.h"
#include "streets/segment_record.h"
#include "streets/shape_cache.h"
#include "streets/street_shape.h"
#include "streets/street_table.h"

namespace routix::streets {
namespace {

// One run: the open exports, the output set, the current ShapeLine and the cache, with the
// buffers every record reuses.
class StreetConversion {
 public:
  StreetConversion(const std::string& server_folder, const base::ProgramServices& services)
      : services_(services),
        mapfil_path_(
            base::NormalizePath(server_folder + base::NativeSeparators("\\DYN\\Mapfil.asc"))),
        second_path_(
            base::NormalizePath(server_folder + base::NativeSeparators("\\DYN\\Second.asc"))),
        mapfil_(services.file_system_service.OpenTextFileForReading(mapfil_path_)),
        nodfil_(services.file_system_service.OpenTextFileForReading(
            base::NormalizePath(server_folder + base::NativeSeparators("\\DYN\\Nodfil.asc")))),
        // Opened now, so that a missing Second.asc stops the run before the output is replaced.
        second_(services.file_system_service.OpenTextFileForReading(second_path_)) {}

  int32_t Run(const std::string& output_base) {
    const int64_t mapfil_lines = services_.file_system_service.LineCount(mapfil_path_);
    NextShapeLine();
    shapefile::ShapefileSet set = shapefile::OpenShapefileSet(
        output_base, shapefile::kPolyLine, StreetFields(), services_.clock.Today());
    StartProgress(mapfil_lines, "Writting shape file from mapfil.asc ...");
    services_.yield.Yield();
    ConvertMapfil(set);
    mapfil_.Close();
    nodfil_.Close();

    StartProgress(services_.file_system_service.LineCount(second_path_),
                  "Writting shape file from second.asc ...");
    ConvertSecond(set);
    second_.Close();
    set.Close();
    return set.run_state().records;
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

  void ConvertMapfil(shapefile::ShapefileSet& set) {
    while (!mapfil_.AtEndOfStream() && ReadSegmentRecord(mapfil_, record_, line_)) {
      CountRecord();
      const bool matched =
          has_shape_ && shape_number_ == ReadLenientNumber(Column(record_, kSegmentNumber));
      const std::string_view shape = matched ? std::string_view(shape_) : std::string_view();
      if (ReadLenientNumber(Column(record_, kShareMark)) > 0) {
        cache_.Remember(Column(record_, kFromText), Column(record_, kToText), shape);
      }
      BuildStreetShape(record_, shape, points_);
      if (matched) NextShapeLine();
      WriteSegment(set);
    }
  }

  void ConvertSecond(shapefile::ShapefileSet& set) {
    while (!second_.AtEndOfStream() && ReadSegmentRecord(second_, record_, line_)) {
      CountRecord();
      BuildStreetShape(record_,
                       cache_.Find(Column(record_, kFromText), Column(record_, kToText), reversed_),
                       points_);
      WriteSegment(set);
    }
  }

  // Makes the next line of Nodfil.asc the current ShapeLine; after the last one none is
  // current, so a later segment of the same number never takes its points again.
  void NextShapeLine() {
    has_shape_ = !nodfil_.AtEndOfStream();
    if (!has_shape_) return;
    nodfil_.ReadLine(shape_);
    shape_number_ = ReadLenientNumber(Column(shape_, kSegmentNumber));
  }

  void CountRecord() {
    services_.main_progress_bar.AddOne();
    services_.yield.Yield();
  }

  void WriteSegment(shapefile::ShapefileSet& set) {
    StreetAttributeValues(record_, values_);
    set.WriteFeature(points_, values_);
  }

  const base::ProgramServices& services_;
  const std::string mapfil_path_;
  const std::string second_path_;
  base::TextReader mapfil_;
  base::TextReader nodfil_;
  base::TextReader second_;
  ShapeCache cache_;
  bool has_shape_ = false;
  std::string shape_;
  double shape_number_ = 0;
  std::string record_;
  std::string line_;
  std::string reversed_;
  std::vector<shapefile::ShapePoint> points_;
  std::array<std::string_view, kStreetFieldCount> values_;
};

}  // namespace

int32_t ConvertStreetNetwork(const std::string& server_folder, const std::string& output_base,
                             const base::ProgramServices& services) {
  StreetConversion conversion(server_folder, services);
  return conversion.Run(output_base);
}

}  // namespace routix::streets
