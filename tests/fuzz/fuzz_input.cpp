#include "fuzz/fuzz_input.h"

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

}  // namespace routix::fuzz
