// A ShapefileSet is one .shp/.shx/.dbf triple written as a stream, with its companion files
// beside it: a .cpg that names the Windows-1252 code page of the attribute text and, when
// one is given, a .prj that names the coordinate system. Opening
// writes the three headers with placeholder values (lengths, count and box 0); each feature
// appends one shape record, one index entry and one attribute row; Close() writes the end
// marker, rewrites the headers with the final lengths, count and box, and flushes every file
// to the disk. The files are staged: the set takes the place of an earlier one of its name,
// whose indexes (.qix, .sbn, .sbx, .idm, .ind, .fbn, .fbx, .ain, .aih, .atx) then go too, only when
// the StagedFiles commit. A failed write, or a feature that would take a file past the format's
// 2^31 - 1 words, throws ConversionError, and the set comes to nothing. Memory does not grow with
// the number of features or with the points of one.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/clock.h"
#include "base/output_file.h"
#include "base/staged_files.h"
#include "shapefile/attribute_field.h"
#include "shapefile/shape_record.h"
#include "shapefile/shapefile_format.h"

namespace routix::shapefile {

class ShapefileSet;

// Stages the set base_name.shp, .shx, .dbf and its companions in staged; projection is the
// text of its .prj, none when empty. fields must outlive the set.
ShapefileSet OpenShapefileSet(base::StagedFiles& staged, const std::string& base_name,
                              int32_t shape_type, std::span<const FieldSpec> fields,
                              const base::Date& today, std::string_view projection = {});

// The same with a lower limit than 2^31 - 1 words for each file, so that tests reach it.
ShapefileSet OpenShapefileSetWithLimit(base::StagedFiles& staged, const std::string& base_name,
                                       int32_t shape_type, std::span<const FieldSpec> fields,
                                       const base::Date& today, int64_t max_file_words);

class ShapefileSet {
 public:
  // What the calling protocol keeps between features: how many records were written, the
  // main file length in words (the offset of the next record), and the box of all records.
  struct RunState {
    int32_t records = 0;
    int32_t next_offset = kHeaderWords;
    Box header_box;
  };

  ShapefileSet(ShapefileSet&& other) noexcept = default;
  ShapefileSet& operator=(ShapefileSet&&) = delete;
  ShapefileSet(const ShapefileSet&) = delete;
  ShapefileSet& operator=(const ShapefileSet&) = delete;
  ~ShapefileSet();

  // Appends one feature: the shape record of the points (at least one), numbered on from the
  // last, its index entry, and its attribute row of one raw value per field in table order.
  void WriteFeature(std::span<const ShapePoint> points, std::span<const std::string_view> values);
  // The same with the attribute row already formatted: the fields' padded values back to
  // back, as long as the table's record without its deletion flag.
  void WriteFeatureRow(std::span<const ShapePoint> points, std::string_view row);
  void Close();

  const RunState& run_state() const { return run_; }
  const std::string& base_name() const { return base_name_; }

 private:
  friend ShapefileSet OpenShapefileSet(base::StagedFiles&, const std::string&, int32_t,
                                       std::span<const FieldSpec>, const base::Date&,
                                       std::string_view);
  friend ShapefileSet OpenShapefileSetWithLimit(base::StagedFiles&, const std::string&, int32_t,
                                                std::span<const FieldSpec>, const base::Date&,
                                                int64_t);
  ShapefileSet(base::StagedFiles& staged, std::string base_name, int32_t shape_type,
               std::span<const FieldSpec> fields, const base::Date& today, int64_t max_file_words,
               std::string_view projection);

  void WriteShapeRecord(const ShapeRecord& record);
  void WriteIndexRecord(int32_t offset, int32_t content_length);
  void WriteAttributeRecord(std::string_view row);
  void CloseShapefileSet(const Box& header_box, int32_t main_file_words, int32_t records);
  void FillMainHeader(int32_t file_words, const Box& box);

  std::string base_name_;
  int32_t shape_type_;
  std::span<const FieldSpec> fields_;
  int64_t max_file_words_;
  uint16_t dbf_header_length_;
  uint16_t dbf_record_length_;
  std::array<uint8_t, kHeaderBytes> header_{};
  std::array<uint8_t, kDbfFixedBytes> dbf_fixed_{};
  base::OutputFile shp_, shx_, dbf_;
  RunState run_;
  std::vector<uint8_t> record_bytes_;
  std::string row_;  // the fields of WriteFeature's row
  bool open_ = true;
};

}  // namespace routix::shapefile
