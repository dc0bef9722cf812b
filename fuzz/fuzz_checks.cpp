#include "fuzz_checks.h"

#include <cstdio>
#include <cstdlib>
#include <stdexcept>

#include "base/conversion_error.h"
#include "base/path_utils.h"

namespace routix::fuzz {

std::vector<std::string> SplitInput(const uint8_t* data, size_t size, size_t count) {
  std::string_view rest(reinterpret_cast<const char*>(data), size);
  std::vector<std::string> parts;
  while (parts.size() + 1 < count) {
    size_t cut = rest.find(kFileSeparator);
    if (cut == std::string_view::npos) break;
    parts.emplace_back(rest.substr(0, cut));
    rest.remove_prefix(cut + kFileSeparator.size());
  }
  parts.emplace_back(rest);
  parts.resize(count);
  return parts;
}

std::string JoinParts(const std::vector<std::string>& parts) {
  std::string joined;
  for (size_t i = 0; i < parts.size(); ++i) {
    if (i > 0) joined += kFileSeparator;
    joined += parts[i];
  }
  return joined;
}

const std::string& Root() {
  static const std::string root = testing::Native("/fuzz");
  return root;
}

void Finding(const std::string& what) {
  std::fprintf(stderr, "FINDING: %s\n", what.c_str());
  std::abort();
}

void CheckRun(testing::MemoryFileSystem& files, const std::string& out,
              const std::function<Written()>& convert,
              const std::function<void(const testing::ReadSet&)>& check_set) {
  files.CreateFolders(out);
  Written said{-1, -1}, found;
  try {
    said = convert();
  } catch (const base::ConversionError& error) {
    if (std::string(error.what()).find(Root()) == std::string::npos) {
      Finding(std::string("an error that names no file of the run: ") + error.what());
    }
    if (!files.Snapshot(out).empty()) Finding("a failed run left files in " + out);
    return;
  }
  for (const auto& [path, bytes] : files.Snapshot(out)) {
    if (base::FileNameOfPath(path).starts_with("~")) Finding("a temporary is left: " + path);
    if (!path.ends_with(".shp")) continue;
    const std::string base = path.substr(0, path.size() - 4);
    try {
      testing::ReadSet set = testing::ReadShapefileSet(files, base);
      if (check_set) check_set(set);
      ++found.sets;
      found.records += static_cast<int32_t>(set.records.size());
    } catch (const std::exception& error) {
      Finding(path + " does not check out: " + error.what());
    }
  }
  if (said.sets != found.sets || said.records != found.records) {
    Finding("the conversion says " + std::to_string(said.sets) + " sets of " +
            std::to_string(said.records) + " records, the folder holds " +
            std::to_string(found.sets) + " of " + std::to_string(found.records));
  }
}

}  // namespace routix::fuzz
