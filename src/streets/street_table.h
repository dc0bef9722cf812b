// The 25-field attribute table of the street set and the record columns each field copies.
// Values are the column texts as they stand; the writer trims and pads them, so the three N
// fields become right-aligned numbers ("0" for a blank or non-numeric one).
#pragma once

#include <array>
#include <span>
#include <string_view>

#include "shapefile/attribute_field.h"

namespace routix::streets {

inline constexpr size_t kStreetFieldCount = 25;

std::span<const shapefile::FieldSpec, kStreetFieldCount> StreetFields();

// The field values of one record, in table order, as views into the record.
void StreetAttributeValues(std::string_view record,
                           std::array<std::string_view, kStreetFieldCount>& values);

}  // namespace routix::streets
