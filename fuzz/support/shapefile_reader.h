// A reader for the shapefile sets the program writes, kept apart from the writer's code: it
// decodes the three files from the published layouts and checks that they agree with their
// headers and with each other (lengths, offsets, counts, boxes). Any disagreement throws
// std::runtime_error saying what is wrong, which a fuzz target reports as a finding.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "base/file_system.h"

namespace routix::testing {

struct ReadPoint {
  double x = 0;
  double y = 0;
  bool operator==(const ReadPoint&) const = default;
};

struct ReadRecord {
  int32_t number = 0;
  int32_t shape_type = 0;
  double box[4] = {0, 0, 0, 0};  // Xmin, Ymin, Xmax, Ymax
  std::vector<ReadPoint> points;
};

struct ReadField {
  std::string name;
  char type = 0;
  int width = 0;
};

struct ReadSet {
  int32_t shape_type = 0;
  double box[4] = {0, 0, 0, 0};
  std::vector<ReadRecord> records;
  std::vector<ReadField> fields;
  // One row per record: the fields' raw fixed-width texts, without the deletion flag.
  std::vector<std::vector<std::string>> rows;
};

// Reads base + ".shp", ".shx" and ".dbf" from the disk, or through files.
ReadSet ReadShapefileSet(const std::string& base);
ReadSet ReadShapefileSet(base::FileSystem& files, const std::string& base);
// The set of the three files' bytes.
ReadSet DecodeShapefileSet(const std::string& shp, const std::string& shx, const std::string& dbf);

}  // namespace routix::testing
