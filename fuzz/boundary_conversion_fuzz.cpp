// Fuzz target: the boundary conversion on arbitrary boundary files. The input is cut into
// Rxybnd.dat and Rxybxt.dat; every boundary is selected and converted twice, into one set of
// polygons and into one set of polylines per boundary.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "boundaries/boundary_conversion.h"
#include "boundaries/boundary_format.h"
#include "fuzz_checks.h"
#include "support/fake_services.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace routix;
  const std::string& root = fuzz::Root();
  const std::vector<std::string> parts = fuzz::SplitInput(data, size, 2);
  testing::MemoryFileSystem files;
  files.WriteFile(root + testing::Native("/DYN/Rxybnd.dat"), parts[0]);
  files.WriteFile(root + testing::Native("/DYN/Rxybxt.dat"), parts[1]);

  boundaries::BoundarySelection selection;
  for (size_t i = 1; i <= parts[0].size() / boundaries::kRecordBytes; ++i) {
    selection.col_return.push_back(std::to_string(i));
  }
  for (bool per_boundary : {false, true}) {  // polygons in one set, polylines in one per boundary
    selection.boundary_shape_type = per_boundary ? 3 : 5;
    selection.one_file_per_boundary = per_boundary;
    const std::string out = root + testing::Native(per_boundary ? "/each" : "/one");
    fuzz::CheckRun(files, out, [&] {
      testing::FakeServices fake(files);
      boundaries::BoundaryConversionResult result = boundaries::ConvertBoundaries(
          root + testing::Native("/DYN"), {out, out + testing::Native("/Bnd_zones")}, selection,
          fake.services);
      return fuzz::Written{result.sets, result.records};
    });
  }
  return 0;
}
