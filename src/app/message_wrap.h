// A message box sizes itself to its longest line and breaks lines only at blanks, so a long
// path without blanks makes it wider than the screen, its title and buttons off it.
// WrapAtSeparators breaks every word (a run without blanks and line breaks) longer than
// columns characters after the last backslash or slash that keeps the line within them, and
// where no such separator is there, after columns characters. Breaks are CR LF, as in every
// message.
#pragma once

#include <string>
#include <string_view>

namespace routix::app {

std::string WrapAtSeparators(std::string_view text, size_t columns);

}  // namespace routix::app
