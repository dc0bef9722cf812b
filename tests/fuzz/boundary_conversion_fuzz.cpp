// Fuzz target: the boundary conversion on arbitrary boundary files. The input is cut into
// Rxybnd.dat and Rxybxt.dat; every boundary is selected and converted twice, into one set of
// polygons and into one set of polylines per boundary. Each run must end in sets that check
// out and hold what the conversion says, or in a ConversionError that names the file; after
// an error the sets already written must still check out.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "boundaries/boundary_conversion.h"
#include "boundaries/boundary_format.h"
#include "fuzz/fuzz_checks.h"
#include "fuzz/fuzz_input.h"
#include "support/fake_services.h"
#include "support/temp_folder.h"

namespace routix::fuzz {
namespace {

namespace fs = std::filesystem;

// Runs one conversion into the empty folder out and checks every set it leaves there.
void ConvertInto(const fs::path& out, const boundaries::BoundarySelection& selection) {
  fs::remove_all(out);
  fs::create_directories(out);
  testing::FakeServices fake;
  boundaries::BoundaryConversionResult result;
  bool failed = false;
  try {
    result = boundaries::ConvertBoundaries(RunFolder().Path("DYN"), (out / "zones.shp").string(),
                                           selection, fake.services);
  } catch (const base::ConversionError& error) {
    CheckErrorNamesAFile(error, RunFolder().path().string());
    failed = true;
  }
  int32_t sets = 0, records = 0;
  for (const fs::directory_entry& entry : fs::directory_iterator(out)) {
    if (entry.path().extension() != ".shp") continue;
    std::string base = entry.path().string();
    base.resize(base.size() - 4);
    records += static_cast<int32_t>(CheckSet(base).records.size());
    ++sets;
  }
  if (!failed && (sets != result.sets || records != result.records)) {
    Finding("the conversion says " + std::to_string(result.sets) + " sets of " +
            std::to_string(result.records) + " records, the folder holds " + std::to_string(sets) +
            " of " + std::to_string(records));
  }
}

}  // namespace
}  // namespace routix::fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  namespace fs = std::filesystem;
  using namespace routix;
  const fs::path root = fuzz::RunFolder().path();
  const std::vector<std::string> parts = fuzz::SplitInput(data, size, 2);
  fs::create_directories(root / "DYN");
  testing::WriteFileBytes(root / "DYN" / "Rxybnd.dat", parts[0]);
  testing::WriteFileBytes(root / "DYN" / "Rxybxt.dat", parts[1]);

  boundaries::BoundarySelection selection;
  for (size_t i = 1; i <= parts[0].size() / boundaries::kRecordBytes; ++i) {
    selection.col_return.push_back(std::to_string(i));
  }
  selection.boundary_shape_type = 5;
  selection.one_file_per_boundary = false;
  fuzz::ConvertInto(root / "one", selection);
  selection.boundary_shape_type = 3;
  selection.one_file_per_boundary = true;
  fuzz::ConvertInto(root / "each", selection);
  return 0;
}
