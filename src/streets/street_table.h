// The 25-field attribute table of the street set and the record columns each field copies.
// Values are the column texts as they stand; the writer trims and pads them, so the three N
// fields become right-aligned numbers ("0" for a blank or non-numeric one). The row of a
// record is the 25 values so padded, back to back, formatted in one pass for the hot path.
#pragma once

#include <array>
#include <span>
#include <string>
#include <string_view>

#include "shapefile/attribute_field.h"

namespace routix::streets {

inline constexpr size_t kStreetFieldCount = 25;

std::span<const shapefile::FieldSpec, kStreetFieldCount> StreetFields();

// The field values of one record, in table order, as views into the record.
void StreetAttributeValues(std::string_view record,
                           std::array<std::string_view, kStreetFieldCount>& values);

// The attribute row of one record: its values padded as the writer pads them, back to back;
// row takes the length of the table's record without its deletion flag.
void FormatStreetRow(std::string_view record, std::string& row);

}  // namespace routix::streets
