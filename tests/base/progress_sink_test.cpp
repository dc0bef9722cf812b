#include "base/progress_sink.h"

#include <gtest/gtest.h>

namespace routix::base {
namespace {

TEST(ProgressSink, ValueStaysWithinZeroAndTheMaximumAndAMaximumBelowOneIsIgnored) {
  ProgressSink bar;
  bar.SetMaximum(3);
  for (int i = 0; i < 5; ++i) bar.AddOne();
  EXPECT_EQ(bar.value(), 3);
  bar.SetValue(-4);
  EXPECT_EQ(bar.value(), 0);
  bar.SetValue(9);
  EXPECT_EQ(bar.value(), 3);
  bar.SetMaximum(2);  // a smaller maximum pulls the value down with it
  EXPECT_EQ(bar.value(), 2);
  bar.SetMaximum(0);
  bar.SetMaximum(-1);
  EXPECT_EQ(bar.maximum(), 2);
  EXPECT_EQ(bar.value(), 2);
}

}  // namespace
}  // namespace routix::base
