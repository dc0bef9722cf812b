// How the error report writes a coordinate: up to 15 significant digits, no trailing zeros,
// the exponent form (1E+15, 1E-05) only where the plain one would need more digits, and the
// decimal separator of the user's locale.
#pragma once

#include <string>

namespace routix::boundaries {

std::string CoordinateText(double value, char decimal_point);

// The decimal separator of the user's locale; '.' where none is set or it cannot be read.
char UserDecimalPoint();

}  // namespace routix::boundaries
