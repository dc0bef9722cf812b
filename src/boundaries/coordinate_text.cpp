#include "boundaries/coordinate_text.h"

#include <charconv>
#include <locale>
#include <stdexcept>
#include <system_error>

namespace routix::boundaries {
namespace {

// A double carries 15 to 17 significant decimal digits; 15 is the most that every value
// prints without noise from its binary form.
constexpr int kSignificantDigits = 15;

}  // namespace

std::string CoordinateText(double value, char decimal_point) {
  if (value == 0) value = 0;  // a negative zero reads as 0
  char buffer[32];
  std::to_chars_result result = std::to_chars(buffer, buffer + sizeof buffer, value,
                                              std::chars_format::general, kSignificantDigits);
  std::string text(buffer, result.ptr);
  for (char& c : text) {
    if (c == '.') c = decimal_point;
    if (c == 'e') c = 'E';
  }
  return text;
}

char UserDecimalPoint() {
  try {
    return std::use_facet<std::numpunct<char>>(std::locale("")).decimal_point();
  } catch (const std::runtime_error&) {
    return '.';
  }
}

}  // namespace routix::boundaries
