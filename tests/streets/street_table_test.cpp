// The attribute row of a record, formatted in one pass, against the writer's padding of the
// 25 values one by one, on records of every kind of column.
#include "streets/street_table.h"

#include <gtest/gtest.h>

#include <array>
#include <iterator>
#include <random>
#include <string>

#include "shapefile/pad_field.h"
#include "support/case_table.h"

namespace routix::streets {
namespace {

std::string PaddedValues(std::string_view record) {
  std::array<std::string_view, kStreetFieldCount> values;
  StreetAttributeValues(record, values);
  std::string row;
  for (size_t i = 0; i < kStreetFieldCount; ++i) {
    const shapefile::FieldSpec& field = StreetFields()[i];
    row += shapefile::PadField(values[i], static_cast<int16_t>(field.width),
                               field.type == 'C' ? shapefile::kPadText : shapefile::kPadNumber);
  }
  return row;
}

TEST(FormatStreetRow, PadsEveryValueAsTheWriterDoes) {
  // Mostly blanks and digits, so that columns of blanks then digits, numbers with a sign or a
  // point, blank columns and text all come up; lengths from none to past the last column.
  const std::string characters = std::string("      0123456789+-.eE  AZ\xFC:", 27) + '\0';
  std::mt19937 random(16);
  std::uniform_int_distribution<size_t> pick(0, characters.size() - 1), blanks(0, 3);
  const size_t lengths[] = {181, 181, 181, 250, 180, 175, 120, 0};
  std::string row;
  for (int n = 0; n < 5000; ++n) {
    const size_t length = lengths[static_cast<size_t>(n) % std::size(lengths)];
    std::string record;
    for (size_t i = 0; i < length; ++i) {
      record += blanks(random) == 0 ? characters[pick(random)] : n % 2 == 0 ? ' ' : '7';
    }
    FormatStreetRow(record, row);
    ASSERT_EQ(row, PaddedValues(record)) << "record \"" << record << "\"";
  }
}

// Each field's columns and width, checked on a record with something in every column.
TEST(FormatStreetRow, TakesEachFieldFromItsColumns) {
  std::string row;
  for (const testing::Case& c : testing::ReadCases("streets/street_row.tsv")) {
    FormatStreetRow(c[0], row);
    EXPECT_EQ(row, c[1]) << c.where;
  }
}

}  // namespace
}  // namespace routix::streets
