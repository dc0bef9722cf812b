// One sample Server folder for a test: GEO with the sample street data, DYN with the sample
// boundary files and, where asked, the three street exports in DYN as the export program
// writes them. The same size and seed give the same bytes.
#pragma once

#include <cstdint>
#include <filesystem>

namespace routix::testing {

struct SampleServer {
  int64_t segments = 40;
  uint32_t seed = 7;
  bool streets = true;     // GEO
  bool boundaries = true;  // DYN/Rxybnd.dat and DYN/Rxybxt.dat
  bool exports = false;    // DYN/Mapfil.asc, Nodfil.asc and Second.asc
};

// Writes the parts into server (GEO and DYN are made; PRO is not) and gives server back.
std::filesystem::path MakeSampleServer(const std::filesystem::path& server,
                                       const SampleServer& parts = {});

}  // namespace routix::testing
