// routix2shp-sample: writes a sample Server folder (GEO with street data for the stand-in
// export program, DYN with the boundary files), the same bytes for the same arguments.
//   routix2shp-sample SERVER_FOLDER [--segments N] [--seed N]
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "base/conversion_error.h"
#include "platform/file_path.h"
#include "platform/program_arguments.h"
#include "sample_boundaries.h"
#include "sample_streets.h"

namespace {

constexpr int64_t kMinSegments = 10;
constexpr int64_t kMaxSegments = 10'000'000;

template <typename Number>
bool ParseNumber(std::string_view text, Number& number) {
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
  return error == std::errc() && end == text.data() + text.size();
}

int Usage() {
  std::fprintf(stderr,
               "usage: routix2shp-sample SERVER_FOLDER [--segments N] [--seed N]\n"
               "  N segments from %lld to %lld (default 5000)\n",
               static_cast<long long>(kMinSegments), static_cast<long long>(kMaxSegments));
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args = routix::platform::ProgramArguments(argc, argv);
  const size_t count = args.size();
  std::string server_folder;
  int64_t segments = 5000;
  uint32_t seed = 1;
  for (size_t i = 1; i < count; ++i) {
    std::string_view arg = args[i];
    if (arg == "--segments" && i + 1 < count) {
      if (!ParseNumber(args[++i], segments)) return Usage();
    } else if (arg == "--seed" && i + 1 < count) {
      if (!ParseNumber(args[++i], seed)) return Usage();
    } else if (server_folder.empty() && !arg.starts_with("--")) {
      server_folder = arg;
    } else {
      return Usage();
    }
  }
  if (server_folder.empty() || segments < kMinSegments || segments > kMaxSegments) return Usage();

  try {
    const std::filesystem::path root = routix::platform::FilePath(server_folder);
    std::filesystem::create_directories(root / "GEO");
    std::filesystem::create_directories(root / "DYN");
    routix::sample::WriteSampleStreets(routix::platform::PathText(root / "GEO"), segments, seed);
    routix::sample::WriteSampleBoundaries(routix::platform::PathText(root / "DYN"), seed);
  } catch (const routix::base::ConversionError& error) {
    std::fprintf(stderr, "%s\n", error.what());
    return 1;
  } catch (const std::filesystem::filesystem_error& error) {
    std::fprintf(stderr, "%s\n", error.what());
    return 1;
  }
  return 0;
}
