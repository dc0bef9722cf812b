// fuzz_seeds: writes the seed inputs of the fuzz targets from the sample generator, one
// folder per target, so that fuzzing starts from data the conversions accept.
//   fuzz_seeds FOLDER   (writes FOLDER/street_conversion_fuzz, ... )
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "boundaries/boundary_format.h"
#include "fuzz_checks.h"
#include "sample_data/sample_boundaries.h"
#include "sample_data/sample_streets.h"
#include "sample_data/street_data.h"
#include "support/temp_folder.h"

namespace {

namespace fs = std::filesystem;
using namespace routix;

constexpr int kStreetSeeds = 4;
constexpr int64_t kSeedSegments = 10;  // the generator's smallest network: small, quick inputs

void WriteStreetSeeds(const fs::path& folder) {
  for (int seed = 1; seed <= kStreetSeeds; ++seed) {
    testing::TempFolder geo;
    sample::WriteSampleStreets(geo.path().string(), kSeedSegments, static_cast<uint32_t>(seed));
    std::vector<std::string> parts;
    for (const sample::StreetDataFile& file :
         {sample::kMapfilData, sample::kNodfilData, sample::kSecondData}) {
      std::string& bytes = parts.emplace_back();
      for (char c : testing::ReadFileBytes(geo.path() / file.data_name)) {
        if (c == '\n' && seed % 2 == 0) bytes += '\r';  // CR LF in every other seed
        bytes += c;
      }
    }
    testing::WriteFileBytes(folder / ("sample_" + std::to_string(seed)), fuzz::JoinParts(parts));
  }
}

// The whole sample, then each record alone: short ones without Rxybxt.dat, long ones with it.
void WriteBoundarySeeds(const fs::path& folder) {
  testing::TempFolder dyn;
  sample::WriteSampleBoundaries(dyn.path().string(), 1);
  const std::string records = testing::ReadFileBytes(dyn.path() / "Rxybnd.dat");
  const std::string blocks = testing::ReadFileBytes(dyn.path() / "Rxybxt.dat");
  testing::WriteFileBytes(folder / "sample", fuzz::JoinParts({records, blocks}));
  for (size_t r = 0; r * boundaries::kRecordBytes < records.size(); ++r) {
    std::string record = records.substr(r * boundaries::kRecordBytes, boundaries::kRecordBytes);
    const int count = static_cast<int16_t>(static_cast<uint8_t>(record[2]) |
                                           static_cast<uint8_t>(record[3]) << 8);
    testing::WriteFileBytes(
        folder / ("record_" + std::to_string(r + 1)),
        fuzz::JoinParts({record, count > boundaries::kRecordNodes ? blocks : ""}));
  }
}

// A width byte and a flags byte (1: backslash, 2: text), then the text.
void WritePathSeeds(const fs::path& folder) {
  int n = 0;
  for (const char* text :
       {"C:\\srv\\\\DYN\\\\Rxybnd.dat", "\\\\server\\share\\x", "C:\\out\\sub\\", "a\\\\\\b",
        " \\ ", "/srv//DYN/Mapfil.asc", "  12  ", "-1.5e+3", "M\xFChlenweg"}) {
    for (char flags : {'\x01', '\x02'}) {
      testing::WriteFileBytes(folder / ("text_" + std::to_string(++n)),
                              std::string{'\x0E', flags} + text);
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: fuzz_seeds FOLDER\n");
    return 2;
  }
  const fs::path root(argv[1]);
  const std::pair<const char*, void (*)(const fs::path&)> targets[] = {
      {"street_conversion_fuzz", WriteStreetSeeds},
      {"boundary_conversion_fuzz", WriteBoundarySeeds},
      {"path_and_field_fuzz", WritePathSeeds}};
  for (const auto& [name, write] : targets) {
    fs::create_directories(root / name);
    write(root / name);
  }
  return 0;
}
