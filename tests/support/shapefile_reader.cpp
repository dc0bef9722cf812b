#include "support/shapefile_reader.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

#include "support/temp_folder.h"

namespace routix::testing {
namespace {

void Require(bool condition, const std::string& what) {
  if (!condition) throw std::runtime_error(what);
}

uint32_t Little32(const std::string& b, size_t at) {
  Require(at + 4 <= b.size(), "read past the end");
  uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<uint8_t>(b[at + i]);
  return v;
}

int32_t Big32(const std::string& b, size_t at) {
  Require(at + 4 <= b.size(), "read past the end");
  uint32_t v = 0;
  for (int i = 0; i < 4; ++i) v = (v << 8) | static_cast<uint8_t>(b[at + i]);
  return static_cast<int32_t>(v);
}

uint16_t Little16(const std::string& b, size_t at) {
  Require(at + 2 <= b.size(), "read past the end");
  return static_cast<uint16_t>(static_cast<uint8_t>(b[at]) | static_cast<uint8_t>(b[at + 1]) << 8);
}

double Double(const std::string& b, size_t at) {
  Require(at + 8 <= b.size(), "read past the end");
  uint64_t bits = 0;
  for (int i = 7; i >= 0; --i) bits = (bits << 8) | static_cast<uint8_t>(b[at + i]);
  double v;
  std::memcpy(&v, &bits, sizeof v);
  return v;
}

void CheckHeader(const std::string& b, const std::string& name) {
  Require(b.size() >= 100, name + ": shorter than its header");
  Require(Big32(b, 0) == 9994, name + ": wrong file code");
  Require(Little32(b, 28) == 1000, name + ": wrong version");
  Require(static_cast<uint64_t>(Big32(b, 24)) * 2 == b.size(),
          name + ": file length in the header is not the file's length");
}

}  // namespace

ReadSet ReadShapefileSet(const std::string& base) {
  std::string shp = ReadFileBytes(base + ".shp");
  std::string shx = ReadFileBytes(base + ".shx");
  std::string dbf = ReadFileBytes(base + ".dbf");
  CheckHeader(shp, ".shp");
  CheckHeader(shx, ".shx");
  Require(shp.compare(0, 24, shx, 0, 24) == 0 && shp.compare(28, 72, shx, 28, 72) == 0,
          "the .shp and .shx headers differ beyond the file length");

  ReadSet set;
  set.shape_type = static_cast<int32_t>(Little32(shp, 32));
  for (int i = 0; i < 4; ++i) set.box[i] = Double(shp, 36 + 8 * i);

  Require((shx.size() - 100) % 8 == 0, ".shx: not a whole number of entries");
  size_t count = (shx.size() - 100) / 8;
  size_t at = 100;
  for (size_t k = 0; k < count; ++k) {
    int32_t offset = Big32(shx, 100 + 8 * k);
    int32_t length = Big32(shx, 104 + 8 * k);
    Require(static_cast<size_t>(offset) * 2 == at, ".shx: entry does not point at the record");
    ReadRecord record;
    record.number = Big32(shp, at);
    Require(record.number == static_cast<int32_t>(k + 1), ".shp: records not numbered from 1");
    Require(Big32(shp, at + 4) == length, ".shp and .shx disagree on a content length");
    size_t content = at + 8;
    record.shape_type = static_cast<int32_t>(Little32(shp, content));
    Require(record.shape_type == set.shape_type, ".shp: record of another shape type");
    for (int i = 0; i < 4; ++i) record.box[i] = Double(shp, content + 4 + 8 * i);
    Require(Little32(shp, content + 36) == 1, ".shp: not one part");
    uint32_t points = Little32(shp, content + 40);
    Require(Little32(shp, content + 44) == 0, ".shp: part does not start at point 0");
    Require(static_cast<int64_t>(length) == 24 + 8 * static_cast<int64_t>(points),
            ".shp: content length does not match the point count");
    Require(content + 48 + 16 * static_cast<size_t>(points) <= shp.size(), ".shp: record cut off");
    for (uint32_t p = 0; p < points; ++p) {
      record.points.push_back(
          {Double(shp, content + 48 + 16 * p), Double(shp, content + 56 + 16 * p)});
    }
    double box[4] = {record.points[0].x, record.points[0].y, record.points[0].x,
                     record.points[0].y};
    for (const ReadPoint& p : record.points) {
      box[0] = std::min(box[0], p.x);
      box[1] = std::min(box[1], p.y);
      box[2] = std::max(box[2], p.x);
      box[3] = std::max(box[3], p.y);
    }
    Require(std::memcmp(box, record.box, sizeof box) == 0, ".shp: record box is not its points'");
    at = content + 48 + 16 * static_cast<size_t>(points);
    set.records.push_back(std::move(record));
  }
  Require(at == shp.size(), ".shp: bytes after the last indexed record");

  double box[4] = {0, 0, 0, 0};
  for (size_t k = 0; k < set.records.size(); ++k) {
    const double* r = set.records[k].box;
    if (k == 0) {
      std::memcpy(box, r, sizeof box);
    } else {
      box[0] = std::min(box[0], r[0]);
      box[1] = std::min(box[1], r[1]);
      box[2] = std::max(box[2], r[2]);
      box[3] = std::max(box[3], r[3]);
    }
  }
  Require(std::memcmp(box, set.box, sizeof box) == 0, ".shp: header box is not the records'");

  Require(dbf.size() >= 33 && dbf[0] == 3, ".dbf: not a dBASE III table");
  std::memcpy(set.dbf_date, dbf.data() + 1, 3);
  uint32_t rows = Little32(dbf, 4);
  uint16_t header_length = Little16(dbf, 8);
  uint16_t record_length = Little16(dbf, 10);
  Require(rows == count, ".dbf: record count differs from the .shx");
  Require(header_length >= 33 && (header_length - 33) % 32 == 0, ".dbf: odd header length");
  Require(static_cast<uint8_t>(dbf[header_length - 1]) == 0x0D, ".dbf: header not terminated");
  size_t fields = (header_length - 33) / 32;
  int widths = 1;
  for (size_t f = 0; f < fields; ++f) {
    size_t d = 32 + 32 * f;
    ReadField field;
    field.name = std::string(dbf.data() + d, strnlen(dbf.data() + d, 11));
    field.type = dbf[d + 11];
    field.width = static_cast<uint8_t>(dbf[d + 16]);
    widths += field.width;
    set.fields.push_back(field);
  }
  Require(widths == record_length, ".dbf: record length is not the sum of the widths");
  Require(dbf.size() == header_length + size_t{record_length} * rows + 1,
          ".dbf: length does not match its header");
  Require(static_cast<uint8_t>(dbf.back()) == 0x1A, ".dbf: no end-of-file byte");
  for (uint32_t r = 0; r < rows; ++r) {
    size_t start = header_length + size_t{record_length} * r;
    Require(dbf[start] == ' ', ".dbf: record not marked as kept");
    std::vector<std::string> row;
    size_t field_at = start + 1;
    for (const ReadField& field : set.fields) {
      row.push_back(dbf.substr(field_at, field.width));
      field_at += field.width;
    }
    set.rows.push_back(std::move(row));
  }
  return set;
}

}  // namespace routix::testing
