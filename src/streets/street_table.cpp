#include "streets/street_table.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "shapefile/pad_field.h"
#include "streets/segment_record.h"

namespace routix::streets {
namespace {

struct StreetField {
  shapefile::FieldSpec field;
  Columns columns;
};

constexpr StreetField kTable[kStreetFieldCount] = {
    {{"ID", 'N', 14}, {1, 6}},          {{"Prefix", 'C', 2}, {7, 2}},
    {{"StreetName", 'C', 33}, {9, 33}}, {{"StreetType", 'C', 4}, {42, 4}},
    {{"Suffix", 'C', 2}, {46, 2}},      {{"MapZone", 'C', 10}, {48, 10}},
    {{"AR1From", 'C', 8}, {58, 8}},     {{"AR1To", 'C', 8}, {66, 8}},
    {{"AR2From", 'C', 8}, {74, 8}},     {{"AR2To", 'C', 8}, {82, 8}},
    {{"FromNode", 'N', 14}, {90, 8}},   {{"ToNode", 'N', 14}, {98, 8}},
    {{"FromX", 'C', 10}, {106, 10}},    {{"FromY", 'C', 10}, {116, 10}},
    {{"ToX", 'C', 10}, {126, 10}},      {{"ToY", 'C', 10}, {136, 10}},
    {{"Speed", 'C', 4}, {146, 4}},      {{"Direction", 'C', 1}, {152, 1}},
    {{"_Haz", 'C', 1}, {153, 1}},       {{"Art", 'C', 1}, {154, 1}},
    {{"Metro", 'C', 1}, {155, 1}},      {{"Class", 'C', 3}, {156, 3}},
    {{"Other", 'C', 6}, {169, 6}},      {{"Haz", 'C', 2}, {177, 2}},
    {{"Nowalk", 'C', 3}, {179, 3}},
};

static_assert(std::ranges::all_of(kTable, [](const StreetField& f) {
  return static_cast<size_t>(f.columns.first + f.columns.width - 1) <= kRecordColumns;
}));
static_assert(kShareMark.first + kShareMark.width - 1 <= static_cast<int>(kRecordColumns));

constexpr std::array<shapefile::FieldSpec, kStreetFieldCount> kFields = [] {
  std::array<shapefile::FieldSpec, kStreetFieldCount> fields{};
  for (size_t i = 0; i < kStreetFieldCount; ++i) fields[i] = kTable[i].field;
  return fields;
}();

constexpr size_t kRowLength = [] {
  size_t length = 0;
  for (const StreetField& f : kTable) length += static_cast<size_t>(f.field.width);
  return length;
}();

constexpr std::array<size_t, kStreetFieldCount> kRowOffsets = [] {
  std::array<size_t, kStreetFieldCount> offsets{};
  for (size_t i = 1; i < kStreetFieldCount; ++i) {
    offsets[i] = offsets[i - 1] + static_cast<size_t>(kTable[i - 1].field.width);
  }
  return offsets;
}();

// Field I of a record that holds all its columns, padded as PadFieldInto pads it. A text
// loses its leading blanks; its trailing ones stay, being the padding it would get. A number
// column of blanks and then digits only is its own trimmed text, right-aligned by moving it
// right whole; any other number takes the general way.
template <size_t I>
void FormatField(const char* record, char* row) {
  constexpr StreetField f = kTable[I];
  constexpr size_t kWidth = static_cast<size_t>(f.field.width);
  constexpr size_t kColumnWidth = static_cast<size_t>(f.columns.width);
  static_assert(kColumnWidth <= kWidth);
  const char* value = record + (f.columns.first - 1);
  char* out = row + kRowOffsets[I];
  size_t lead = 0;
  while (lead < kColumnWidth && value[lead] == ' ') ++lead;
  if constexpr (f.field.type == 'C') {
    if (lead == 0) {
      std::memcpy(out, value, kColumnWidth);
    } else {
      std::memcpy(out, value + lead, kColumnWidth - lead);
      std::memset(out + kColumnWidth - lead, ' ', lead);
    }
    if constexpr (kWidth > kColumnWidth)
      std::memset(out + kColumnWidth, ' ', kWidth - kColumnWidth);
  } else {
    bool digits = lead < kColumnWidth;
    for (size_t i = lead; i < kColumnWidth; ++i) {
      digits = digits && static_cast<unsigned>(value[i] - '0') < 10;
    }
    if (digits) {
      std::memset(out, ' ', kWidth - kColumnWidth);
      std::memcpy(out + kWidth - kColumnWidth, value, kColumnWidth);
    } else {
      shapefile::PadFieldInto(std::string_view(value, kColumnWidth), f.field.width, false, out);
    }
  }
}

template <size_t... I>
void FormatFields(const char* record, char* row, std::index_sequence<I...>) {
  (FormatField<I>(record, row), ...);
}

}  // namespace

std::span<const shapefile::FieldSpec, kStreetFieldCount> StreetFields() { return kFields; }

void StreetAttributeValues(std::string_view record,
                           std::array<std::string_view, kStreetFieldCount>& values) {
  for (size_t i = 0; i < kStreetFieldCount; ++i) values[i] = Column(record, kTable[i].columns);
}

void FormatStreetRow(std::string_view record, std::string& row) {
  row.resize(kRowLength);
  if (record.size() >= kRecordColumns) {
    FormatFields(record.data(), row.data(), std::make_index_sequence<kStreetFieldCount>());
    return;
  }
  // A record cut short: its columns may be cut or missing.
  std::array<std::string_view, kStreetFieldCount> values;
  StreetAttributeValues(record, values);
  for (size_t i = 0; i < kStreetFieldCount; ++i) {
    shapefile::PadFieldInto(values[i], kTable[i].field.width, kTable[i].field.type == 'C',
                            row.data() + kRowOffsets[i]);
  }
}

}  // namespace routix::streets
