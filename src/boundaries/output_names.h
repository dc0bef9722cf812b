// The names of the per-boundary shapefile sets. CleanFileName turns a description into a file
// name that Windows accepts; MakeOutputName makes it unique within one run, without regard to
// case, by numbering repeats (North, North_001, NORTH_002) and naming an empty one NONAME.
// Names are Windows-1252 text and come out the same on every platform.
#pragma once

#include <string>
#include <string_view>
#include <unordered_map>

#include "boundaries/keyed_collection.h"

namespace routix::boundaries {

// The names handed out in one run. For each base name (in upper case) it keeps the last
// number tried, since every number below it stays taken; many equal descriptions thus cost
// one look-up each.
struct UsedOutputNames {
  KeyedCollection names;
  std::unordered_map<std::string, int> last_number;
};

std::string MakeOutputName(UsedOutputNames& names, std::string_view description);

// The base name of one boundary's own set in folder: MakeOutputName's name in the form the
// platform names files.
std::string PerBoundaryBase(UsedOutputNames& names, const std::string& folder,
                            std::string_view description);

// Without surrounding spaces (trimmed first, so spaces before a removed character stay), without
// * NUL \ / : , ? " < > | and the control characters, and with an underscore after a part
// before the first full stop that Windows reserves for a device (CON, PRN, AUX, NUL, COM1-9,
// LPT1-9 in any case, trailing spaces aside): "NUL" gives "NUL_", "com1.north" "com1_.north".
std::string CleanFileName(std::string_view text);

}  // namespace routix::boundaries
