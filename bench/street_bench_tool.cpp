// street_bench_tool: the timed parts of the street benchmark, run by bench/street_bench.
//   street_bench_tool export SERVER          prepare SERVER and run the stand-in export on it
//   street_bench_tool convert SERVER OUT.shp convert SERVER's exports; prints records, seconds
//   street_bench_tool convert-unflushed SERVER OUT.shp
//                                            the same without flushing the set to the disk
//   street_bench_tool floor SERVER OUT FOLDER
//                                            read SERVER's exports and write files as large as
//                                            OUT.shp/.shx/.dbf into FOLDER; prints seconds
//   street_bench_tool calls N                the cost of N progress steps and yields; prints ns
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "app/destination.h"
#include "base/clock.h"
#include "base/conversion_error.h"
#include "base/file_system_wrapper.h"
#include "base/output_file.h"
#include "base/path_utils.h"
#include "base/program_services.h"
#include "base/text_stream.h"
#include "platform/native_file_system.h"
#include "platform/native_process_runner.h"
#include "platform/tool_folder.h"
#include "streets/export_run.h"
#include "streets/server_folder.h"
#include "streets/street_conversion.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// Stands in for the window: a progress change only marks the bar for the next repaint, and
// the yield reads the clock and lets events run at most every kYieldInterval.
class DeferredProgress : public routix::base::ProgressSink {
 public:
  bool dirty = false;

 protected:
  void Changed() override { dirty = true; }
};

class NoStatus : public routix::base::StatusSink {
 public:
  void SetText(const std::string&) override {}
};

class ThrottledYield : public routix::base::Yielder {
 public:
  void Yield() override {
    constexpr auto kYieldInterval = std::chrono::milliseconds(5);
    Clock::time_point now = Clock::now();
    if (now - last_ < kYieldInterval) return;
    last_ = now;
    ++event_rounds;
  }
  long event_rounds = 0;

 private:
  Clock::time_point last_ = Clock::now();
};

// The native file system with every flush to the disk left out, to tell what the flush costs.
class UnflushedFileSystem : public routix::base::FileSystemWrapper {
 public:
  using FileSystemWrapper::FileSystemWrapper;
  std::unique_ptr<routix::base::WritableFile> CreateForWriting(const std::string& path) override {
    class Unflushed : public routix::base::WritableFileWrapper {
     public:
      using WritableFileWrapper::WritableFileWrapper;
      void Sync() override {}
    };
    return std::make_unique<Unflushed>(FileSystemWrapper::CreateForWriting(path));
  }
};

struct BenchServices {
  explicit BenchServices(bool flushed = true)
      : files(flushed ? static_cast<routix::base::FileSystem&>(native) : unflushed) {}
  DeferredProgress progress;
  NoStatus status;
  ThrottledYield yield;
  routix::platform::NativeFileSystem native;
  UnflushedFileSystem unflushed{native};
  routix::base::FileSystemService files;
  routix::base::SystemClock clock;
  routix::platform::NativeProcessRunner processes;
  routix::base::ProgramServices services{
      progress, status, files, yield, clock, processes, routix::platform::DefaultToolFolder()};
};

double SecondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

void Floor(const std::string& server, const std::string& output_base, const fs::path& folder) {
  routix::platform::NativeFileSystem files;
  Clock::time_point start = Clock::now();
  std::string line;
  uint64_t characters = 0;
  for (const char* name : {"\\DYN\\Mapfil.asc", "\\DYN\\Nodfil.asc", "\\DYN\\Second.asc"}) {
    routix::base::TextReader reader(
        files, routix::base::NormalizePath(server + routix::base::NativeSeparators(name)));
    while (!reader.AtEndOfStream()) {
      reader.ReadLine(line);
      characters += line.size();
    }
  }
  std::vector<char> chunk(size_t{1} << 20, 'x');
  for (const char* extension : {".shp", ".shx", ".dbf"}) {
    uint64_t size = fs::file_size(output_base + extension);
    routix::base::OutputFile out(files, (folder / (std::string("floor") + extension)).string());
    for (uint64_t left = size; left > 0;) {
      size_t part = left < chunk.size() ? static_cast<size_t>(left) : chunk.size();
      out.Append(chunk.data(), part);
      left -= part;
    }
    out.Close();
  }
  std::printf("%.4f %llu\n", SecondsSince(start), static_cast<unsigned long long>(characters));
}

void Calls(long count) {
  DeferredProgress progress;
  ThrottledYield yield;
  routix::base::ProgressSink& sink = progress;
  routix::base::Yielder& yielder = yield;
  sink.SetMaximum(static_cast<int32_t>(count));
  Clock::time_point start = Clock::now();
  for (long i = 0; i < count; ++i) {
    sink.AddOne();
    yielder.Yield();
  }
  std::printf("%.1f\n", SecondsSince(start) * 1e9 / static_cast<double>(count));
}

int Usage() {
  std::fprintf(stderr,
               "usage: street_bench_tool export SERVER | convert[-unflushed] SERVER OUT.shp |"
               " floor SERVER OUT FOLDER | calls N\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) return Usage();
  const std::string mode = argv[1];
  try {
    if (mode == "export" && argc == 3) {
      BenchServices bench;
      routix::streets::PrepareServerFolder(argv[2], bench.services);
      if (!routix::streets::RunExportTool(argv[2], bench.services).succeeded()) {
        std::fprintf(stderr, "street_bench_tool: the export wrote no DYN/Mapfil.asc\n");
        return 1;
      }
    } else if ((mode == "convert" || mode == "convert-unflushed") && argc == 4) {
      BenchServices bench(mode == "convert");
      Clock::time_point start = Clock::now();
      int32_t records = routix::streets::ConvertStreetNetwork(
          argv[2], routix::app::OutputBase(argv[3]), bench.services);
      std::printf("%d %.4f\n", records, SecondsSince(start));
    } else if (mode == "floor" && argc == 5) {
      Floor(argv[2], argv[3], argv[4]);
    } else if (mode == "calls" && argc == 3) {
      Calls(std::stol(argv[2]));
    } else {
      return Usage();
    }
  } catch (const routix::base::ConversionError& error) {
    std::fprintf(stderr, "%s\n", error.what());
    return 1;
  }
  return 0;
}
