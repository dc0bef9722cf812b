// Times CheckBoundaryRing on outlines of 1024 to 32767 nodes that are mostly spikes running
// out and back, so that two thirds of the edges cancel in pairs and are reported. Prints the
// time per call and per n log2 n: a flat last column means n log n growth.
//   ring_check_bench
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "base/file_system_service.h"
#include "base/output_file.h"
#include "base/text_stream.h"
#include "boundaries/ring_check.h"
#include "platform/native_file_system.h"

namespace {

namespace fs = std::filesystem;
using routix::shapefile::ShapePoint;

// The most nodes a boundary holds: its count is a signed 16-bit value.
constexpr int kMaxNodes = 32767;
// Each size runs until this many nodes in all have been checked, so small sizes repeat.
constexpr long kNodesPerSize = 4'000'000;

// Spikes along a baseline, each out to a tip and back to its foot, closed by a far corner.
// Two spikes in a row share a tip height, so each value meets two others: 4 lines a pair.
std::vector<ShapePoint> SpikyOutline(int n) {
  std::vector<ShapePoint> points;
  for (int k = 0; static_cast<int>(points.size()) + 3 <= n - 1; ++k) {
    double x = 500000 + 10.0 * k;
    double tip = 4000100 + k / 2;
    points.push_back({x, 4000000});
    points.push_back({x + 3.25, tip});
    points.push_back({x, 4000000});
  }
  while (static_cast<int>(points.size()) < n) points.push_back({points.back().x + 1, 3990000});
  return points;
}

}  // namespace

int main() {
  const fs::path folder = fs::temp_directory_path() / "routix2shp_ring_check_bench";
  fs::create_directories(folder);
  const std::string report = (folder / "Report.err").string();
  routix::platform::NativeFileSystem native_files;
  routix::base::FileSystemService file_system(native_files);

  std::printf("%8s %10s %8s %14s\n", "nodes", "lines", "ms/call", "ns/(n log2 n)");
  for (int n : {1024, 2048, 4096, 8192, 16384, kMaxNodes}) {
    std::vector<ShapePoint> outline = SpikyOutline(n);
    const long calls = std::max(3L, kNodesPerSize / n);
    double best = 1e300;
    for (long c = 0; c < calls; ++c) {
      routix::base::TextWriter writer(routix::base::OutputFile(native_files, report));
      auto start = std::chrono::steady_clock::now();
      routix::boundaries::CheckBoundaryRing(outline, {writer, 1, "Bench"});
      writer.Close();
      std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
      best = std::min(best, took.count());
    }
    const long lines = static_cast<long>(file_system.LineCount(report));
    std::printf("%8d %10ld %8.3f %14.2f\n", n, lines, best * 1e3,
                best * 1e9 / (n * std::log2(static_cast<double>(n))));
  }
  fs::remove_all(folder);
  return 0;
}
