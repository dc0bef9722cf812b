#include "streets/street_table.h"

#include <algorithm>

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

}  // namespace

std::span<const shapefile::FieldSpec, kStreetFieldCount> StreetFields() { return kFields; }

void StreetAttributeValues(std::string_view record,
                           std::array<std::string_view, kStreetFieldCount>& values) {
  for (size_t i = 0; i < kStreetFieldCount; ++i) values[i] = Column(record, kTable[i].columns);
}

}  // namespace routix::streets
