// The calendar date the writer stamps into attribute tables. SystemClock gives today's local
// date; tests hand over a fixed one so that whole files can be compared.
#pragma once

namespace routix::base {

struct Date {
  int year = 1900;  // full year, such as 2026
  int month = 1;    // 1 to 12
  int day = 1;      // 1 to 31
};

class Clock {
 public:
  virtual ~Clock() = default;
  virtual Date Today() const = 0;
};

class SystemClock final : public Clock {
 public:
  Date Today() const override;
};

}  // namespace routix::base
