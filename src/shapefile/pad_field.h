// Fixed-width formatting of one attribute value. Surrounding spaces are removed first; text
// is left-aligned and cut to its first characters, numbers are right-aligned and cut to
// their last characters, and a value that is not a number becomes "0" in a numeric field.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace routix::shapefile {

inline constexpr int32_t kPadNumber = 0;
inline constexpr int32_t kPadText = 1;  // every other kind is numeric

std::string PadField(std::string_view value, int16_t width, int32_t kind);

// PadField written straight into out[0..width), for the writer's hot path.
void PadFieldInto(std::string_view value, int width, bool text, char* out);

// An optional sign, digits with at most one decimal point, an optional exponent; at least
// one digit before the exponent. The text is taken as it is, spaces not allowed.
bool IsNumber(std::string_view text);

}  // namespace routix::shapefile
