// Fuzz target: the street conversion on arbitrary exports. The input is cut into Mapfil.asc,
// Nodfil.asc and Second.asc; every record written must have two points or more.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz/fuzz_checks.h"
#include "streets/street_conversion.h"
#include "support/fake_services.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace routix;
  const std::filesystem::path root = fuzz::RunFolder().path();
  const std::vector<std::string> parts = fuzz::SplitInput(data, size, 3);
  std::filesystem::create_directories(root / "DYN");
  testing::WriteFileBytes(root / "DYN" / "Mapfil.asc", parts[0]);
  testing::WriteFileBytes(root / "DYN" / "Nodfil.asc", parts[1]);
  testing::WriteFileBytes(root / "DYN" / "Second.asc", parts[2]);
  fuzz::CheckRun(
      root / "out",
      [&] {
        testing::FakeServices fake;
        return fuzz::Written{
            1, streets::ConvertStreetNetwork(root.string(), (root / "out" / "roads").string(),
                                             fake.services)};
      },
      [](const testing::ReadSet& set) {
        for (const testing::ReadRecord& record : set.records) {
          if (record.points.size() < 2) fuzz::Finding("a street record of fewer than two points");
        }
      });
  return 0;
}
