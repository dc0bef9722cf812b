// The columns of the street exports and the reading of one segment record. A record of
// Mapfil.asc or Second.asc is a line of at least kMinRecordLength characters; a shorter line
// is continued by the next one, joined with one space. A ShapeLine of Nodfil.asc holds the
// segment number, then pairs of 10-character X and Y columns. Columns are counted from 1;
// a column past the end of a text is empty, one that the end cuts is cut.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "base/text_stream.h"

namespace routix::streets {

struct Columns {
  int first;  // counted from 1
  int width;
};

inline constexpr size_t kMinRecordLength = 175;
// The last column any reader of a record looks at (Nowalk, 179-181); a record keeps no more
// of each line, so a line without end costs no memory.
inline constexpr size_t kRecordColumns = 181;

inline constexpr Columns kSegmentNumber{1, 6};  // in a record and in a ShapeLine alike
inline constexpr Columns kFromX{106, 10};
inline constexpr Columns kFromY{116, 10};
inline constexpr Columns kToX{126, 10};
inline constexpr Columns kToY{136, 10};
inline constexpr Columns kFromText{106, 20};  // X and Y of the from end, as they stand
inline constexpr Columns kToText{126, 20};
inline constexpr Columns kShareMark{175, 2};  // above 0: Second.asc may borrow the shape

inline constexpr size_t kShapePairStart = 6;  // the characters before the first pair
inline constexpr size_t kShapePairLength = 20;
inline constexpr size_t kShapeHalfLength = 10;  // the X, then the Y

inline std::string_view Column(std::string_view text, Columns columns) {
  const size_t start = static_cast<size_t>(columns.first - 1);
  if (start >= text.size()) return {};
  return text.substr(start, static_cast<size_t>(columns.width));
}

// Reads the next record, keeping at most kRecordColumns characters of each line, and gives a
// view of it: in the reader's buffer, valid until its next call, where the record is one
// line that lies whole there, otherwise in storage (line is scratch space). Gives nothing
// when the file ends before the record reaches kMinRecordLength characters: the record is
// incomplete.
std::optional<std::string_view> ReadSegmentRecord(base::TextReader& file, std::string& storage,
                                                  std::string& line);

}  // namespace routix::streets
