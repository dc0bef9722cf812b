// Writes the sample street data that the stand-in export program reads into a GEO folder: a
// street grid of the given number of segments in Mapfil, whose segments share their end
// nodes, some curving through their intermediate points, inside the county frame of the
// boundary sample; and in Second, diagonal avenues across it. The same bytes for the same
// seed and count. It holds what the conversion must handle: intermediate points or none,
// marked segments with twins both ways in Second, split records (one around an empty line),
// short and cut records, blank and non-numeric numbers, a blank inside a coordinate, letters
// above 0x7F in names.
#pragma once

#include <cstdint>
#include <string>

namespace routix::sample {

struct SampleStreets {
  int64_t mapfil_records = 0;  // whole records; the cut last line is none
  int64_t second_records = 0;
  // The box of every point of the whole records, as the conversion reads them.
  double xmin = 0, ymin = 0, xmax = 0, ymax = 0;
};

SampleStreets WriteSampleStreets(const std::string& geo_folder, int64_t segments, uint32_t seed);

}  // namespace routix::sample
