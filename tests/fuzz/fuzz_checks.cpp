#include "fuzz/fuzz_checks.h"

#include <cstdio>
#include <cstdlib>
#include <stdexcept>

namespace routix::fuzz {

const testing::TempFolder& RunFolder() {
  static const testing::TempFolder folder;
  return folder;
}

void Finding(const std::string& what) {
  std::fprintf(stderr, "FINDING: %s\n", what.c_str());
  std::abort();
}

void CheckErrorNamesAFile(const base::ConversionError& error, const std::string& folder) {
  if (std::string(error.what()).find(folder) == std::string::npos) {
    Finding(std::string("an error that names no file of the run: ") + error.what());
  }
}

testing::ReadSet CheckSet(const std::string& base) {
  try {
    return testing::ReadShapefileSet(base);
  } catch (const std::exception& error) {
    Finding(base + " does not check out: " + error.what());
  }
}

}  // namespace routix::fuzz
