#include "shapefile/shapefile_set.h"

#include <cstdio>
#include <filesystem>
#include <stdexcept>
#include <system_error>
#include <utility>

#include "base/conversion_error.h"
#include "platform/file_path.h"
#include "platform/file_seek.h"
#include "shapefile/byte_order.h"
#include "shapefile/pad_field.h"

namespace fs = std::filesystem;

namespace routix::shapefile {
namespace {

// Features are appended to the three buffers until one of them holds this much; then all
// three are written out together, which is the point a failed run falls back to.
constexpr size_t kFlushBytes = base::OutputFile::kBufferBytes / 2;

// Cuts a file back to length and puts start over its first bytes and tail after its end.
// Used only on the way out of a failure, so a failure here is passed over.
void PatchFile(const std::string& path, uint64_t length, std::span<const uint8_t> start,
               std::span<const uint8_t> tail) noexcept {
  std::error_code error;
  fs::resize_file(platform::FilePath(path), length, error);
  if (error) return;
  std::FILE* file = std::fopen(path.c_str(), "r+b");
  if (file == nullptr) return;
  std::fwrite(start.data(), 1, start.size(), file);
  if (!tail.empty() && platform::SeekFile(file, 0, SEEK_END)) {
    std::fwrite(tail.data(), 1, tail.size(), file);
  }
  std::fclose(file);
}

}  // namespace

ShapefileSet OpenShapefileSet(const std::string& base_name, int32_t shape_type,
                              std::span<const FieldSpec> fields, const base::Date& today) {
  return OpenShapefileSetWithLimit(base_name, shape_type, fields, today, kMaxFileWords);
}

ShapefileSet OpenShapefileSetWithLimit(const std::string& base_name, int32_t shape_type,
                                       std::span<const FieldSpec> fields, const base::Date& today,
                                       int64_t max_file_words) {
  ShapefileSet set(base_name, shape_type, fields, today, max_file_words);
  set.Create();
  return set;
}

ShapefileSet::ShapefileSet(std::string base_name, int32_t shape_type,
                           std::span<const FieldSpec> fields, const base::Date& today,
                           int64_t max_file_words)
    : base_name_(std::move(base_name)),
      shape_type_(shape_type),
      fields_(fields),
      max_file_words_(max_file_words) {
  int record_length = 1;
  for (const FieldSpec& field : fields_) record_length += field.width;
  dbf_header_length_ =
      static_cast<uint16_t>(kDbfFixedBytes + kDbfDescriptorBytes * fields_.size() + 1);
  dbf_record_length_ = static_cast<uint16_t>(record_length);

  PutBigEndian32(&header_[kFileCodeOffset], kFileCode);
  PutLittleEndian32(&header_[kVersionOffset], kVersion);
  PutLittleEndian32(&header_[kShapeTypeOffset], shape_type_);

  dbf_fixed_[0] = kDbfVersion;
  dbf_fixed_[kDbfDateOffset] = static_cast<uint8_t>(today.year - 1900);
  dbf_fixed_[kDbfDateOffset + 1] = static_cast<uint8_t>(today.month);
  dbf_fixed_[kDbfDateOffset + 2] = static_cast<uint8_t>(today.day);
  PutLittleEndian16(&dbf_fixed_[kDbfHeaderLengthOffset], dbf_header_length_);
  PutLittleEndian16(&dbf_fixed_[kDbfRecordLengthOffset], dbf_record_length_);
  row_.assign(dbf_record_length_, ' ');
}

void ShapefileSet::Create() {
  open_ = true;
  try {
    shp_.emplace(base_name_ + ".shp", base::OutputFile::Mode::kReplace);
    shp_->Append(header_.data(), header_.size());
    shx_.emplace(base_name_ + ".shx", base::OutputFile::Mode::kReplace);
    shx_->Append(header_.data(), header_.size());
    dbf_.emplace(base_name_ + ".dbf", base::OutputFile::Mode::kReplace);
    dbf_->Append(dbf_fixed_.data(), dbf_fixed_.size());
    std::array<uint8_t, kDbfDescriptorBytes> descriptor;
    for (const FieldSpec& field : fields_) {
      SetFieldDescriptor(descriptor, field.name, field.type, field.width);
      dbf_->Append(descriptor.data(), descriptor.size());
    }
    dbf_->Append(&kDbfHeaderTerminator, 1);
    base::OutputFile code_page(base_name_ + ".cpg", base::OutputFile::Mode::kReplace);
    code_page.Append("1252");
    code_page.Close();
    // The index of an earlier set of this name goes once the new set is there.
    for (const char* index : {".qix", ".sbn", ".sbx"}) {
      std::error_code error;
      fs::remove(platform::FilePath(base_name_ + index), error);
      if (error) throw base::FileError("delete", base_name_ + index, error.message());
    }
    FlushAll();
  } catch (...) {
    CloseAfterFailure();
    throw;
  }
}

ShapefileSet::ShapefileSet(ShapefileSet&& other) noexcept
    : base_name_(std::move(other.base_name_)),
      shape_type_(other.shape_type_),
      fields_(other.fields_),
      max_file_words_(other.max_file_words_),
      dbf_header_length_(other.dbf_header_length_),
      dbf_record_length_(other.dbf_record_length_),
      header_(other.header_),
      dbf_fixed_(other.dbf_fixed_),
      shp_(std::move(other.shp_)),
      shx_(std::move(other.shx_)),
      dbf_(std::move(other.dbf_)),
      run_(other.run_),
      on_disk_(other.on_disk_),
      record_bytes_(std::move(other.record_bytes_)),
      row_(std::move(other.row_)),
      open_(std::exchange(other.open_, false)) {}

ShapefileSet::~ShapefileSet() {
  if (!open_) return;
  try {
    Close();
  } catch (const base::ConversionError&) {
    // Close() has already cut the set back to the features on disk.
  }
}

void ShapefileSet::WriteFeature(std::span<const ShapePoint> points,
                                std::span<const std::string_view> values) {
  if (!open_) throw std::logic_error("feature written to a closed shapefile set");
  if (points.empty() || values.size() != fields_.size()) {
    throw std::invalid_argument("feature without points or with the wrong number of values");
  }
  ShapeRecord record = BuildShapeRecord(run_.records + 1, shape_type_, points);
  int64_t next_offset = run_.next_offset + record.content_length + kRecordHeaderWords;
  if (next_offset > max_file_words_) {
    Close();
    throw base::FileError("write", base_name_ + ".shp",
                          "a shapefile holds at most " + std::to_string(max_file_words_) +
                              " 16-bit words; the set is closed with the " +
                              std::to_string(run_.records) + " records before this one");
  }
  try {
    WriteShapeRecord(record);
    WriteIndexRecord(run_.next_offset, static_cast<int32_t>(record.content_length));
    WriteAttributeRecord(values);
    if (run_.records == 0) {
      run_.header_box = record.box;
    } else {
      WidenBox(run_.header_box, record.box);
    }
    run_.records = record.record_number;
    run_.next_offset = static_cast<int32_t>(next_offset);
    if (shp_->pending() >= kFlushBytes || shx_->pending() >= kFlushBytes ||
        dbf_->pending() >= kFlushBytes) {
      FlushAll();
    }
  } catch (...) {
    CloseAfterFailure();
    throw;
  }
}

void ShapefileSet::Close() {
  if (!open_) return;
  try {
    FlushAll();
    CloseShapefileSet(run_.header_box, run_.next_offset, run_.records);
  } catch (...) {
    CloseAfterFailure();
    throw;
  }
}

void ShapefileSet::WriteShapeRecord(const ShapeRecord& record) {
  size_t size = kRecordHeaderBytes + kRecordFixedContentBytes + kPointBytes * record.points.size();
  record_bytes_.resize(size);
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
  for (const ShapePoint& p : record.points) {
    PutDouble(point, p.x);
    PutDouble(point + 8, p.y);
    point += kPointBytes;
  }
  shp_->Append(record_bytes_.data(), size);
}

void ShapefileSet::WriteIndexRecord(int32_t offset, int32_t content_length) {
  uint8_t entry[kIndexRecordBytes];
  PutBigEndian32(entry, offset);
  PutBigEndian32(entry + 4, content_length);
  shx_->Append(entry, sizeof entry);
}

void ShapefileSet::WriteAttributeRecord(std::span<const std::string_view> values) {
  row_[0] = kDbfRecordNotDeleted;
  size_t at = 1;
  for (size_t i = 0; i < fields_.size(); ++i) {
    PadFieldInto(values[i], fields_[i].width, fields_[i].type == 'C', row_.data() + at);
    at += static_cast<size_t>(fields_[i].width);
  }
  dbf_->Append(row_);
}

void ShapefileSet::CloseShapefileSet(const Box& header_box, int32_t main_file_words,
                                     int32_t records) {
  FillMainHeader(main_file_words, header_box);
  shp_->RewriteStart(header_.data(), header_.size());
  FillMainHeader(kHeaderWords + kIndexRecordWords * records, header_box);
  shx_->RewriteStart(header_.data(), header_.size());
  dbf_->Append(&kDbfEndOfFile, 1);
  FillDbfFixed(records);
  dbf_->RewriteStart(dbf_fixed_.data(), dbf_fixed_.size());
  shp_->Close();
  shx_->Close();
  dbf_->Close();
  open_ = false;
}

void ShapefileSet::FlushAll() {
  shp_->Flush();
  shx_->Flush();
  dbf_->Flush();
  on_disk_ = run_;
}

void ShapefileSet::CloseAfterFailure() noexcept {
  open_ = false;
  for (std::optional<base::OutputFile>* file : {&shp_, &shx_, &dbf_}) {
    if (file->has_value()) (*file)->Discard();
  }
  const int32_t records = on_disk_.records;
  if (shp_.has_value()) {
    FillMainHeader(on_disk_.next_offset, on_disk_.header_box);
    PatchFile(shp_->path(), uint64_t{2} * static_cast<uint32_t>(on_disk_.next_offset), header_, {});
  }
  if (shx_.has_value()) {
    int32_t words = kHeaderWords + kIndexRecordWords * records;
    FillMainHeader(words, on_disk_.header_box);
    PatchFile(shx_->path(), uint64_t{2} * static_cast<uint32_t>(words), header_, {});
  }
  if (dbf_.has_value()) {
    FillDbfFixed(records);
    uint64_t length = dbf_header_length_ + uint64_t{dbf_record_length_} * records;
    PatchFile(dbf_->path(), length, dbf_fixed_, std::span<const uint8_t>(&kDbfEndOfFile, 1));
  }
}

void ShapefileSet::FillMainHeader(int32_t file_words, const Box& box) {
  PutBigEndian32(&header_[kFileLengthOffset], file_words);
  PutDouble(&header_[kBoxOffset], box.xmin);
  PutDouble(&header_[kBoxOffset + 8], box.ymin);
  PutDouble(&header_[kBoxOffset + 16], box.xmax);
  PutDouble(&header_[kBoxOffset + 24], box.ymax);
}

void ShapefileSet::FillDbfFixed(int32_t records) {
  PutLittleEndian32(&dbf_fixed_[kDbfRecordCountOffset], records);
}

}  // namespace routix::shapefile
