// The street data of a sample Server folder: GEO holds the lines of each of the three street
// exports, ended by LF, in a file of its own, which the stand-in export program turns into
// the export itself. Mapfil comes last, since its export marks a finished run.
#pragma once

#include <string_view>

namespace routix::sample {

struct StreetDataFile {
  std::string_view data_name;    // in GEO
  std::string_view export_name;  // in DYN
};

inline constexpr StreetDataFile kNodfilData{"Nodfil.geo", "Nodfil.asc"};
inline constexpr StreetDataFile kSecondData{"Second.geo", "Second.asc"};
inline constexpr StreetDataFile kMapfilData{"Mapfil.geo", "Mapfil.asc"};
inline constexpr StreetDataFile kStreetDataFiles[] = {kNodfilData, kSecondData, kMapfilData};

}  // namespace routix::sample
