// Fuzz target: the street conversion on arbitrary exports. The input is cut into Mapfil.asc,
// Nodfil.asc and Second.asc; a run must end in a set that checks out and holds as many
// records as the conversion says, or in a ConversionError that names the file.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "fuzz/fuzz_checks.h"
#include "fuzz/fuzz_input.h"
#include "streets/street_conversion.h"
#include "support/fake_services.h"
#include "support/temp_folder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  namespace fs = std::filesystem;
  using namespace routix;
  const testing::TempFolder& server = fuzz::RunFolder();
  const std::vector<std::string> parts = fuzz::SplitInput(data, size, 3);
  fs::create_directories(server.path() / "DYN");
  testing::WriteFileBytes(server.path() / "DYN" / "Mapfil.asc", parts[0]);
  testing::WriteFileBytes(server.path() / "DYN" / "Nodfil.asc", parts[1]);
  testing::WriteFileBytes(server.path() / "DYN" / "Second.asc", parts[2]);

  testing::FakeServices fake;
  int32_t records = 0;
  try {
    records = streets::ConvertStreetNetwork(server.path().string(), server.Path("roads.shp"),
                                            fake.services);
  } catch (const base::ConversionError& error) {
    fuzz::CheckErrorNamesAFile(error, server.path().string());
    return 0;
  }
  testing::ReadSet set = fuzz::CheckSet(server.Path("roads"));
  if (set.records.size() != static_cast<size_t>(records)) {
    fuzz::Finding("the set holds " + std::to_string(set.records.size()) +
                  " records, the conversion says " + std::to_string(records));
  }
  for (const testing::ReadRecord& record : set.records) {
    if (record.points.size() < 2) fuzz::Finding("a street record of fewer than two points");
  }
  return 0;
}
