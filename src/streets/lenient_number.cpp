#include "streets/lenient_number.h"

#include <charconv>
#include <cstdint>
#include <system_error>

namespace routix::streets {
namespace {

// A column holds at most this many digits, so a number read without its decimal point is
// below 2^53 and exact as a double, as is every power of ten up to 10^22: one division of
// the two then gives the correctly rounded value.
static_assert(kWidestNumberColumn <= 15);
constexpr double kPowersOfTen[kWidestNumberColumn + 1] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5,
                                                          1e6, 1e7, 1e8, 1e9, 1e10};

// A number with an exponent: its characters without blanks and without a leading '+', which
// std::from_chars does not take, read by std::from_chars up to the end of the number.
double ReadWithExponent(std::string_view column) {
  char text[kWidestNumberColumn];
  size_t length = 0;
  for (char c : column) {
    if (c != ' ' && !(c == '+' && length == 0)) text[length++] = c;
  }
  double value = 0;
  return std::from_chars(text, text + length, value).ec == std::errc() ? value : 0;
}

}  // namespace

double ReadLenientNumber(std::string_view column) {
  column = column.substr(0, kWidestNumberColumn);
  const char* at = column.data();
  const char* const end = at + column.size();
  uint64_t digits_value = 0;
  size_t digits = 0;
  // Reads the digits from at on, skipping blanks between them; gives how many there were.
  auto read_digits = [&] {
    const size_t before = digits;
    for (; at < end; ++at) {
      const unsigned digit = static_cast<unsigned>(*at) - '0';
      if (digit < 10) {
        digits_value = 10 * digits_value + digit;
        ++digits;
      } else if (*at != ' ') {
        break;
      }
    }
    return digits - before;
  };

  while (at < end && *at == ' ') ++at;
  const bool negative = at < end && *at == '-';
  if (at < end && (*at == '-' || *at == '+')) ++at;
  read_digits();
  size_t fraction_digits = 0;
  if (at < end && *at == '.') {
    ++at;
    fraction_digits = read_digits();
  }
  if (digits == 0) return 0;
  if (at < end && (*at == 'e' || *at == 'E')) return ReadWithExponent(column);
  const double value = static_cast<double>(digits_value) / kPowersOfTen[fraction_digits];
  return negative ? -value : value;
}

}  // namespace routix::streets
