#include "support/sample_server.h"

#include "db2asc/street_export.h"
#include "sample_data/sample_boundaries.h"
#include "sample_data/sample_streets.h"

namespace routix::testing {

namespace fs = std::filesystem;

fs::path MakeSampleServer(const fs::path& server, const SampleServer& parts) {
  fs::create_directories(server / "GEO");
  fs::create_directories(server / "DYN");
  if (parts.streets)
    sample::WriteSampleStreets((server / "GEO").string(), parts.segments, parts.seed);
  if (parts.boundaries) sample::WriteSampleBoundaries((server / "DYN").string(), parts.seed);
  if (parts.exports) db2asc::WriteStreetExports(server / "GEO", server / "DYN");
  return server;
}

}  // namespace routix::testing
