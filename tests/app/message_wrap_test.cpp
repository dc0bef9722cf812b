#include "app/message_wrap.h"

#include <gtest/gtest.h>

namespace routix::app {
namespace {

TEST(WrapAtSeparators, LongLinesBreakAfterTheirLastFittingSeparatorOrAtTheWidth) {
  struct Row {
    const char* text;
    const char* wrapped;  // at 10 characters
  } rows[] = {
      {"Server path incorrect!\r\n", "Server path incorrect!\r\n"},  // words that fit: kept
      {R"(C:\data\routing\roads.shp)", "C:\\data\\\r\nrouting\\\r\nroads.shp"},
      {"//srv/share/Łódź/Киев.shp", "//srv/\r\nshare/\r\nŁódź/\r\nКиев.shp"},  // characters
      {"Z:\\0123456789ab", "Z:\\\r\n0123456789\r\nab"},
      {"0123456789\r\nshort", "0123456789\r\nshort"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.text);
    EXPECT_EQ(WrapAtSeparators(row.text, 10), row.wrapped);
  }
}

}  // namespace
}  // namespace routix::app
