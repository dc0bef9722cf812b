// Fuzz target: the street conversion on arbitrary exports. The input is cut into Mapfil.asc,
// Nodfil.asc and Second.asc; every record written must have two points or more.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_checks.h"
#include "streets/street_conversion.h"
#include "support/fake_services.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace routix;
  const std::string& root = fuzz::Root();
  const std::vector<std::string> parts = fuzz::SplitInput(data, size, 3);
  testing::MemoryFileSystem files;
  files.WriteFile(root + testing::Native("/DYN/Mapfil.asc"), parts[0]);
  files.WriteFile(root + testing::Native("/DYN/Nodfil.asc"), parts[1]);
  files.WriteFile(root + testing::Native("/DYN/Second.asc"), parts[2]);
  const std::string out = root + testing::Native("/out");
  fuzz::CheckRun(
      files, out,
      [&] {
        testing::FakeServices fake(files);
        return fuzz::Written{
            1, streets::ConvertStreetNetwork(root, out + testing::Native("/roads"), fake.services)};
      },
      [](const testing::ReadSet& set) {
        for (const testing::ReadRecord& record : set.records) {
          if (record.points.size() < 2) fuzz::Finding("a street record of fewer than two points");
        }
      });
  return 0;
}
