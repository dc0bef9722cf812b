#include "support/shapefile_reader.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <stdexcept>

#include "base/input_file.h"
#include "support/temp_folder.h"

namespace routix::testing {
namespace {

void Require(bool condition, const std::string& what) {
  if (!condition) throw std::runtime_error(what);
}

// The n bytes at at as an unsigned number, little-endian unless big.
uint64_t Number(const std::string& b, size_t at, int n, bool big = false) {
  Require(at + n <= b.size(), "read past the end");
  uint64_t v = 0;
  for (int i = 0; i < n; ++i) v = (v << 8) | static_cast<uint8_t>(b[at + (big ? i : n - 1 - i)]);
  return v;
}
int32_t Big32(const std::string& b, size_t at) { return int32_t(Number(b, at, 4, true)); }
uint32_t Little32(const std::string& b, size_t at) { return uint32_t(Number(b, at, 4)); }
double Double(const std::string& b, size_t at) { return std::bit_cast<double>(Number(b, at, 8)); }

// Widens box (Xmin, Ymin, Xmax, Ymax) to take in other; a first box is other itself.
void Widen(double box[4], const double other[4], bool first) {
  for (int i = 0; i < 4; ++i) {
    box[i] = first ? other[i] : i < 2 ? std::min(box[i], other[i]) : std::max(box[i], other[i]);
  }
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
  return DecodeShapefileSet(ReadFileBytes(base + ".shp"), ReadFileBytes(base + ".shx"),
                            ReadFileBytes(base + ".dbf"));
}

ReadSet ReadShapefileSet(base::FileSystem& files, const std::string& base) {
  std::string bytes[3];
  const char* endings[3] = {".shp", ".shx", ".dbf"};
  for (int i = 0; i < 3; ++i) {
    base::InputFile file(files, base + endings[i]);
    bytes[i].resize(static_cast<size_t>(file.size()));
    bytes[i].resize(file.ReadAt(0, bytes[i].data(), bytes[i].size()));
  }
  return DecodeShapefileSet(bytes[0], bytes[1], bytes[2]);
}

ReadSet DecodeShapefileSet(const std::string& shp, const std::string& shx, const std::string& dbf) {
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
  double box[4] = {0, 0, 0, 0};
  for (size_t k = 0; k < count; ++k) {
    int32_t length = Big32(shx, 104 + 8 * k);
    Require(static_cast<size_t>(Big32(shx, 100 + 8 * k)) * 2 == at,
            ".shx: entry does not point at the record");
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
    at = content + 48 + 16 * static_cast<size_t>(points);
    Require(at <= shp.size(), ".shp: record cut off");
    double points_box[4] = {0, 0, 0, 0};
    for (uint32_t p = 0; p < points; ++p) {
      ReadPoint point{Double(shp, content + 48 + 16 * p), Double(shp, content + 56 + 16 * p)};
      const double corners[4] = {point.x, point.y, point.x, point.y};
      Widen(points_box, corners, p == 0);
      record.points.push_back(point);
    }
    Require(points > 0 && std::memcmp(points_box, record.box, sizeof box) == 0,
            ".shp: record box is not its points'");
    Widen(box, record.box, k == 0);
    set.records.push_back(std::move(record));
  }
  Require(at == shp.size(), ".shp: bytes after the last indexed record");
  Require(std::memcmp(box, set.box, sizeof box) == 0, ".shp: header box is not the records'");

  Require(dbf.size() >= 33 && dbf[0] == 3, ".dbf: not a dBASE III table");
  uint32_t rows = Little32(dbf, 4);
  size_t header_length = Number(dbf, 8, 2), record_length = Number(dbf, 10, 2);
  Require(rows == count, ".dbf: record count differs from the .shx");
  Require(header_length >= 33 && (header_length - 33) % 32 == 0, ".dbf: odd header length");
  Require(static_cast<uint8_t>(dbf[header_length - 1]) == 0x0D, ".dbf: header not terminated");
  size_t widths = 1;
  for (size_t d = 32; d + 1 < header_length; d += 32) {
    ReadField field{std::string(dbf.data() + d, strnlen(dbf.data() + d, 11)), dbf[d + 11],
                    static_cast<uint8_t>(dbf[d + 16])};
    widths += field.width;
    set.fields.push_back(field);
  }
  Require(widths == record_length, ".dbf: record length is not the sum of the widths");
  Require(dbf.size() == header_length + record_length * rows + 1,
          ".dbf: length does not match its header");
  Require(static_cast<uint8_t>(dbf.back()) == 0x1A, ".dbf: no end-of-file byte");
  for (size_t start = header_length; start + 1 < dbf.size(); start += record_length) {
    Require(dbf[start] == ' ', ".dbf: record not marked as kept");
    std::vector<std::string>& row = set.rows.emplace_back();
    size_t field_at = start + 1;
    for (const ReadField& field : set.fields) {
      row.push_back(dbf.substr(field_at, field.width));
      field_at += field.width;
    }
  }
  return set;
}

}  // namespace routix::testing
