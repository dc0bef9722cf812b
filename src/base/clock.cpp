#include "base/clock.h"

#include <ctime>

namespace routix::base {

Date SystemClock::Today() const {
  std::time_t now = std::time(nullptr);
  const std::tm* local = std::localtime(&now);  // one thread: the shared result is safe here
  return Date{local->tm_year + 1900, local->tm_mon + 1, local->tm_mday};
}

}  // namespace routix::base
