// Fuzz target: the path utilities and PadField on arbitrary text, checked against what they
// promise. The first input byte is a field width, the second picks the separator and the
// field kind, the rest is the text.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "base/path_utils.h"
#include "fuzz_checks.h"
#include "shapefile/pad_field.h"

namespace routix::fuzz {
namespace {

void Require(bool condition, const std::string& what, std::string_view text) {
  if (!condition) Finding(what + " for \"" + std::string(text) + "\"");
}

std::string WithoutSeparators(std::string_view text, char separator) {
  std::string kept(text);
  kept.erase(std::remove(kept.begin(), kept.end(), separator), kept.end());
  return kept;
}

// Every run of separators becomes one, but for the network pair that the backslash keeps at
// the start; nothing else changes. Blank text and one separator between blanks give nothing.
void CheckNormalizePath(std::string_view path, char separator) {
  const std::string normal = base::NormalizePath(path, separator);
  const std::string_view trimmed = base::TrimSpaces(path);
  if (trimmed.empty() || trimmed == std::string_view(&separator, 1)) {
    Require(normal.empty(), "NormalizePath keeps a blank path", path);
    return;
  }
  Require(WithoutSeparators(normal, separator) == WithoutSeparators(path, separator),
          "NormalizePath changes more than separators", path);
  const std::string pair(2, separator);
  const bool network = separator == '\\' && normal.starts_with(pair);
  Require(normal.find(pair, network ? 1 : 0) == std::string::npos,
          "NormalizePath leaves a doubled separator", path);
  Require(!network || path.starts_with(pair), "NormalizePath makes a network path", path);
}

// The file name is the last non-empty component, without a separator; the folder is what
// stands before it and its separator, or before the separator that ends the path, and empty
// for a path without one.
void CheckFolderAndFileName(std::string_view path, char separator) {
  const std::string folder = base::FolderOfPath(path, separator);
  const std::string name = base::FileNameOfPath(path, separator);
  const std::string sep(1, separator);
  const bool split = path.find(separator) != std::string_view::npos;
  const std::string rebuilt = !split                      ? folder + name
                              : path.ends_with(separator) ? folder + name + sep
                                                          : folder + sep + name;
  Require(name.find(separator) == std::string::npos && rebuilt == path && (split || folder.empty()),
          "folder, name and separators are not the path", path);
}

// Exactly width characters: text trimmed, left-aligned and cut at its end; a number trimmed,
// right-aligned and cut at its start; anything else in a numeric field "0".
void CheckPadField(std::string_view value, int16_t width, bool text) {
  const std::string padded =
      shapefile::PadField(value, width, text ? shapefile::kPadText : shapefile::kPadNumber);
  Require(padded.size() == static_cast<size_t>(width), "PadField misses the width", value);
  std::string_view kept = base::TrimSpaces(value);
  if (!text && !shapefile::IsNumber(kept)) kept = "0";
  const size_t length = std::min(kept.size(), padded.size());
  const size_t fill = padded.size() - length;
  if (text) {
    Require(padded.compare(0, length, kept.substr(0, length)) == 0 &&
                padded.find_first_not_of(' ', length) == std::string::npos,
            "PadField text is not the value's start, then spaces", value);
  } else {
    Require(padded.find_first_not_of(' ') >= fill &&
                padded.compare(fill, length, kept.substr(kept.size() - length)) == 0,
            "PadField number is not spaces, then the value's end", value);
  }
}

}  // namespace
}  // namespace routix::fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  const int16_t width = static_cast<int16_t>(data[0] == 0 ? 1 : data[0]);  // 1 to 255
  const char separator = (data[1] & 1) != 0 ? '\\' : '/';
  const bool text = (data[1] & 2) != 0;
  const std::string_view value(reinterpret_cast<const char*>(data + 2), size - 2);
  routix::fuzz::CheckNormalizePath(value, separator);
  routix::fuzz::CheckFolderAndFileName(value, separator);
  routix::fuzz::CheckPadField(value, width, text);
  return 0;
}
