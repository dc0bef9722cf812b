#include "boundaries/output_names.h"

#include <algorithm>
#include <cstdio>

#include "base/cp1252.h"
#include "base/path_utils.h"

namespace routix::boundaries {
namespace {

// The characters the name scheme drops (* NUL \ / : ,) and those Windows refuses in a file
// name besides (? " < > | and the control characters 1 to 31).
bool IsRemoved(char c) {
  constexpr std::string_view kRemoved = "*\\/:,?\"<>|";
  return static_cast<unsigned char>(c) < 32 || kRemoved.find(c) != std::string_view::npos;
}

bool IsDeviceName(std::string_view stem) {
  std::string upper = UpperCase1252(stem.substr(0, stem.find_last_not_of(' ') + 1));
  if (upper == "CON" || upper == "PRN" || upper == "AUX" || upper == "NUL") return true;
  return upper.size() == 4 && (upper.starts_with("COM") || upper.starts_with("LPT")) &&
         upper[3] >= '1' && upper[3] <= '9';
}

// base_001, base_002, ..., base_999, base_1000.
std::string Numbered(const std::string& base, int number) {
  char digits[16];
  std::snprintf(digits, sizeof digits, "_%03d", number);
  return base + digits;
}

}  // namespace

std::string CleanFileName(std::string_view text) {
  std::string name;
  for (char c : base::TrimSpaces(text)) {
    if (!IsRemoved(c)) name += c;
  }
  size_t stem_end = std::min(name.find('.'), name.size());
  if (IsDeviceName(std::string_view(name).substr(0, stem_end)))
    name.insert(name.begin() + static_cast<std::ptrdiff_t>(stem_end), '_');
  return name;
}

std::string MakeOutputName(UsedOutputNames& names, std::string_view description) {
  std::string base = CleanFileName(description);
  if (base.empty()) base = "NONAME";
  int& number = names.last_number[UpperCase1252(base)];
  std::string candidate = number == 0 ? base : Numbered(base, number);
  while (CollectionHasKey(names.names, candidate)) candidate = Numbered(base, ++number);
  AddKey(names.names, candidate);
  return candidate;
}

std::string PerBoundaryBase(UsedOutputNames& names, const std::string& folder,
                            std::string_view description) {
  return base::NormalizePath(folder + base::NativeSeparators("\\") +
                             base::Cp1252ToUtf8(MakeOutputName(names, description)));
}

}  // namespace routix::boundaries
