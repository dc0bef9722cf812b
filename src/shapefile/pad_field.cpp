#include "shapefile/pad_field.h"

#include <cstring>

#include "base/path_utils.h"

namespace routix::shapefile {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

bool IsNumber(std::string_view text) {
  size_t i = 0;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  bool digits = false, point = false;
  for (; i < text.size(); ++i) {
    if (IsDigit(text[i])) {
      digits = true;
    } else if (text[i] == '.' && !point) {
      point = true;
    } else {
      break;
    }
  }
  if (!digits) return false;
  if (i == text.size()) return true;
  if (text[i] != 'e' && text[i] != 'E') return false;
  ++i;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  if (i == text.size()) return false;
  for (; i < text.size(); ++i) {
    if (!IsDigit(text[i])) return false;
  }
  return true;
}

void PadFieldInto(std::string_view value, int width, bool text, char* out) {
  if (width <= 0) return;
  std::string_view trimmed = base::TrimSpaces(value);
  size_t size = static_cast<size_t>(width);
  if (text) {
    size_t kept = trimmed.size() < size ? trimmed.size() : size;
    // One loop rather than memcpy and memset: fields are short, and the calls cost more.
    for (size_t i = 0; i < size; ++i) out[i] = i < kept ? trimmed[i] : ' ';
    return;
  }
  if (!IsNumber(trimmed)) trimmed = "0";
  if (trimmed.size() < size) {
    std::memset(out, ' ', size - trimmed.size());
    std::memcpy(out + size - trimmed.size(), trimmed.data(), trimmed.size());
  } else {
    std::memcpy(out, trimmed.data() + trimmed.size() - size, size);
  }
}

std::string PadField(std::string_view value, int16_t width, int32_t kind) {
  std::string result(width > 0 ? static_cast<size_t>(width) : 0, ' ');
  PadFieldInto(value, width, kind == kPadText, result.data());
  return result;
}

}  // namespace routix::shapefile
