// A ProgressSink is what a conversion reports its progress to: a maximum and a value that
// always lies within 0..maximum. A maximum of 0 or less leaves the bar as it is, and a value
// past either end is held there. A front end derives from it and shows the two numbers in
// Changed(), which runs after every change, so it must be cheap (mark dirty, draw later).
#pragma once

#include <cstdint>

namespace routix::base {

class ProgressSink {
 public:
  virtual ~ProgressSink() = default;

  void SetMaximum(int32_t maximum) {
    if (maximum <= 0) return;
    maximum_ = maximum;
    if (value_ > maximum_) value_ = maximum_;
    Changed();
  }
  void SetValue(int32_t value) {
    value_ = value < 0 ? 0 : (value > maximum_ ? maximum_ : value);
    Changed();
  }
  void AddOne() {
    if (value_ >= maximum_) return;
    ++value_;
    Changed();
  }

  int32_t maximum() const { return maximum_; }
  int32_t value() const { return value_; }

 protected:
  virtual void Changed() {}

 private:
  int32_t maximum_ = 100;  // what a fresh progress bar starts with
  int32_t value_ = 0;
};

}  // namespace routix::base
