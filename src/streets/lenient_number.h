// The lenient decimal reading of a number column: blanks anywhere are skipped, then an
// optional sign, digits with a period as the decimal point (in every locale) and an optional
// exponent are taken; the first other character ends the number. A column without digits,
// and a number too large or too small for a double, reads as 0. The value is the double
// nearest to the decimal text, exactly as a correct decimal conversion gives it.
#pragma once

#include <cstddef>
#include <string_view>

namespace routix::streets {

// Every number column of the exports is at most this wide; characters past it are not read.
inline constexpr size_t kWidestNumberColumn = 10;

double ReadLenientNumber(std::string_view column);

}  // namespace routix::streets
