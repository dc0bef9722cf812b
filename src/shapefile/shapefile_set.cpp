#include "shapefile/shapefile_set.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

#include "base/conversion_error.h"
#include "shapefile/byte_order.h"
#include "shapefile/pad_field.h"

namespace routix::shapefile {
namespace {

// The small files that go with every set, each written whole when the set opens.
struct CompanionFile {
  std::string_view extension;
  std::string_view content;
};
constexpr CompanionFile kCompanionFiles[] = {
    {".cpg", "1252"},  // the code page of the attribute text
};

// The spatial and attribute indexes GIS software leaves beside a set (GDAL's, ArcGIS's,
// MapServer's); they describe the records of an earlier set.
constexpr std::string_view kSpatialIndexes[] = {".qix", ".sbn", ".sbx", ".idm", ".ind",
                                                ".fbn", ".fbx", ".ain", ".aih", ".atx"};

// A record reaches the main file in pieces of at most this many bytes, so a record of
// millions of points needs no copy of its own.
constexpr size_t kRecordPieceBytes = size_t{64} << 10;

}  // namespace

ShapefileSet OpenShapefileSet(base::StagedFiles& staged, const std::string& base_name,
                              int32_t shape_type, std::span<const FieldSpec> fields,
                              const base::Date& today, std::string_view projection) {
  return ShapefileSet(staged, base_name, shape_type, fields, today, kMaxFileWords, projection);
}

ShapefileSet OpenShapefileSetWithLimit(base::StagedFiles& staged, const std::string& base_name,
                                       int32_t shape_type, std::span<const FieldSpec> fields,
                                       const base::Date& today, int64_t max_file_words) {
  return ShapefileSet(staged, base_name, shape_type, fields, today, max_file_words, {});
}

ShapefileSet::ShapefileSet(base::StagedFiles& staged, std::string base_name, int32_t shape_type,
                           std::span<const FieldSpec> fields, const base::Date& today,
                           int64_t max_file_words, std::string_view projection)
    : base_name_(std::move(base_name)),
      shape_type_(shape_type),
      fields_(fields),
      max_file_words_(max_file_words),
      shp_(staged.Create(base_name_ + ".shp")),
      shx_(staged.Create(base_name_ + ".shx")),
      dbf_(staged.Create(base_name_ + ".dbf")) {
  int record_length = 1;
  for (const FieldSpec& field : fields_) record_length += field.width;
  dbf_header_length_ =
      static_cast<uint16_t>(kDbfFixedBytes + kDbfDescriptorBytes * fields_.size() + 1);
  dbf_record_length_ = static_cast<uint16_t>(record_length);

  PutBigEndian32(&header_[kFileCodeOffset], kFileCode);
  PutLittleEndian32(&header_[kVersionOffset], kVersion);
  PutLittleEndian32(&header_[kShapeTypeOffset], shape_type_);
  shp_.Append(header_.data(), header_.size());
  shx_.Append(header_.data(), header_.size());

  dbf_fixed_[0] = kDbfVersion;
  dbf_fixed_[kDbfDateOffset] = static_cast<uint8_t>(today.year - 1900);
  dbf_fixed_[kDbfDateOffset + 1] = static_cast<uint8_t>(today.month);
  dbf_fixed_[kDbfDateOffset + 2] = static_cast<uint8_t>(today.day);
  PutLittleEndian16(&dbf_fixed_[kDbfHeaderLengthOffset], dbf_header_length_);
  PutLittleEndian16(&dbf_fixed_[kDbfRecordLengthOffset], dbf_record_length_);
  dbf_.Append(dbf_fixed_.data(), dbf_fixed_.size());
  std::array<uint8_t, kDbfDescriptorBytes> descriptor;
  for (const FieldSpec& field : fields_) {
    SetFieldDescriptor(descriptor, field.name, field.type, field.width);
    dbf_.Append(descriptor.data(), descriptor.size());
  }
  dbf_.Append(&kDbfHeaderTerminator, 1);
  row_.assign(dbf_record_length_ - 1u, ' ');

  for (const CompanionFile& companion : kCompanionFiles) {
    base::OutputFile file = staged.Create(base_name_ + std::string(companion.extension));
    file.Append(companion.content);
    file.Close();
  }
  if (!projection.empty()) {
    base::OutputFile file = staged.Create(base_name_ + ".prj");
    file.Append(projection);
    file.Close();
  }
  for (std::string_view index : kSpatialIndexes) {
    staged.RemoveOnCommit(base_name_ + std::string(index));
  }
}

ShapefileSet::~ShapefileSet() {
  // A set that is not closed comes to nothing: what is still buffered need not be written.
  shp_.Discard();
  shx_.Discard();
  dbf_.Discard();
}

void ShapefileSet::WriteFeature(std::span<const ShapePoint> points,
                                std::span<const std::string_view> values) {
  if (values.size() != fields_.size()) {
    throw std::invalid_argument("feature with the wrong number of values");
  }
  size_t at = 0;
  for (size_t i = 0; i < fields_.size(); ++i) {
    PadFieldInto(values[i], fields_[i].width, fields_[i].type == 'C', row_.data() + at);
    at += static_cast<size_t>(fields_[i].width);
  }
  WriteFeatureRow(points, row_);
}

void ShapefileSet::WriteFeatureRow(std::span<const ShapePoint> points, std::string_view row) {
  if (!open_) throw std::logic_error("feature written to a closed shapefile set");
  if (points.empty() || row.size() != row_.size()) {
    throw std::invalid_argument("feature without points or with a row of the wrong length");
  }
  const ShapeRecord record = BuildShapeRecord(run_.records + 1, shape_type_, points);
  const int64_t next_offset = run_.next_offset + record.content_length + kRecordHeaderWords;
  if (next_offset > max_file_words_) {
    throw base::FileError("write", base_name_ + ".shp",
                          "a shapefile holds at most " + std::to_string(max_file_words_) +
                              " 16-bit words, and record " + std::to_string(record.record_number) +
                              " would pass it");
  }
  WriteShapeRecord(record);
  WriteIndexRecord(run_.next_offset, static_cast<int32_t>(record.content_length));
  WriteAttributeRecord(row);
  if (run_.records == 0) {
    run_.header_box = record.box;
  } else {
    WidenBox(run_.header_box, record.box);
  }
  run_.records = record.record_number;
  run_.next_offset = static_cast<int32_t>(next_offset);
}

void ShapefileSet::Close() {
  if (!open_) return;
  open_ = false;
  CloseShapefileSet(run_.header_box, run_.next_offset, run_.records);
}

void ShapefileSet::WriteShapeRecord(const ShapeRecord& record) {
  const size_t size =
      kRecordHeaderBytes + kRecordFixedContentBytes + kPointBytes * record.points.size();
  record_bytes_.resize(std::min(size, kRecordPieceBytes));
  uint8_t* out = record_bytes_.data();
  PutBigEndian32(out, record.record_number);
  PutBigEndian32(out + 4, static_cast<int32_t>(record.content_length));
  uint8_t* content = out + kRecordHeaderBytes;
  PutLittleEndian32(content, record.shape_type);
  PutDouble(content + 4, record.box.xmin);
  PutDouble(content + 12, record.box.ymin);
  PutDouble(content + 20, record.box.xmax);
  PutDouble(content + 28, record.box.ymax);
  PutLittleEndian32(content + 36, 1);  // one part
  PutLittleEndian32(content + 40, static_cast<int32_t>(record.points.size()));
  PutLittleEndian32(content + 44, 0);  // which starts at the first point
  uint8_t* point = content + kRecordFixedContentBytes;
  const uint8_t* const end = record_bytes_.data() + record_bytes_.size();
  for (const ShapePoint& p : record.points) {
    if (static_cast<size_t>(end - point) < kPointBytes) {
      shp_.Append(record_bytes_.data(), static_cast<size_t>(point - record_bytes_.data()));
      point = record_bytes_.data();
    }
    PutDouble(point, p.x);
    PutDouble(point + 8, p.y);
    point += kPointBytes;
  }
  shp_.Append(record_bytes_.data(), static_cast<size_t>(point - record_bytes_.data()));
}

void ShapefileSet::WriteIndexRecord(int32_t offset, int32_t content_length) {
  uint8_t entry[kIndexRecordBytes];
  PutBigEndian32(entry, offset);
  PutBigEndian32(entry + 4, content_length);
  shx_.Append(entry, sizeof entry);
}

void ShapefileSet::WriteAttributeRecord(std::string_view row) {
  dbf_.Append(&kDbfRecordNotDeleted, 1);
  dbf_.Append(row);
}

void ShapefileSet::CloseShapefileSet(const Box& header_box, int32_t main_file_words,
                                     int32_t records) {
  FillMainHeader(main_file_words, header_box);
  shp_.WriteAt(0, header_.data(), header_.size());
  FillMainHeader(kHeaderWords + kIndexRecordWords * records, header_box);
  shx_.WriteAt(0, header_.data(), header_.size());
  dbf_.Append(&kDbfEndOfFile, 1);
  PutLittleEndian32(&dbf_fixed_[kDbfRecordCountOffset], records);
  dbf_.WriteAt(0, dbf_fixed_.data(), dbf_fixed_.size());
  shp_.Close();
  shx_.Close();
  dbf_.Close();
}

void ShapefileSet::FillMainHeader(int32_t file_words, const Box& box) {
  PutBigEndian32(&header_[kFileLengthOffset], file_words);
  PutDouble(&header_[kBoxOffset], box.xmin);
  PutDouble(&header_[kBoxOffset + 8], box.ymin);
  PutDouble(&header_[kBoxOffset + 16], box.xmax);
  PutDouble(&header_[kBoxOffset + 24], box.ymax);
}

}  // namespace routix::shapefile
