#include "fuzz/fuzz_checks.h"

#include <cstdio>
#include <cstdlib>
#include <stdexcept>

#include "base/conversion_error.h"

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

const testing::TempFolder& RunFolder() {
  static const testing::TempFolder folder;
  return folder;
}

void Finding(const std::string& what) {
  std::fprintf(stderr, "FINDING: %s\n", what.c_str());
  std::abort();
}

void CheckRun(const std::filesystem::path& out, const std::function<Written()>& convert,
              const std::function<void(const testing::ReadSet&)>& check_set) {
  std::filesystem::remove_all(out);
  std::filesystem::create_directories(out);
  Written said{-1, -1}, found;
  try {
    said = convert();
  } catch (const base::ConversionError& error) {
    if (std::string(error.what()).find(RunFolder().path().string()) == std::string::npos) {
      Finding(std::string("an error that names no file of the run: ") + error.what());
    }
  }
  for (const std::filesystem::directory_entry& entry : std::filesystem::directory_iterator(out)) {
    if (entry.path().extension() != ".shp") continue;
    const std::string base = entry.path().string();
    try {
      testing::ReadSet set = testing::ReadShapefileSet(base.substr(0, base.size() - 4));
      if (check_set) check_set(set);
      ++found.sets;
      found.records += static_cast<int32_t>(set.records.size());
    } catch (const std::exception& error) {
      Finding(base + " does not check out: " + error.what());
    }
  }
  if (said.sets >= 0 && (said.sets != found.sets || said.records != found.records)) {
    Finding("the conversion says " + std::to_string(said.sets) + " sets of " +
            std::to_string(said.records) + " records, the folder holds " +
            std::to_string(found.sets) + " of " + std::to_string(found.records));
  }
}

}  // namespace routix::fuzz
