// The paths inside a Server folder, built the documented way: the folder, then a literal
// written with backslashes ("\PRO\g.cfg") in the separator's form, and mostly the whole
// passed through NormalizePath, so that a folder typed with a trailing separator gives the
// same path.
#pragma once

#include <string>
#include <string_view>

#include "platform/native_separator.h"

namespace routix::streets {

// folder followed by literal, each backslash of the literal turned into separator.
std::string JoinPath(std::string_view folder, std::string_view literal,
                     char separator = platform::kNativeSeparator);

// JoinPath, normalised.
std::string ServerPath(std::string_view folder, std::string_view literal,
                       char separator = platform::kNativeSeparator);

}  // namespace routix::streets
