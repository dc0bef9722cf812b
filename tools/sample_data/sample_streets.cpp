#include "sample_streets.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iterator>
#include <random>
#include <string_view>
#include <vector>

#include "base/output_file.h"
#include "platform/file_path.h"
#include "platform/native_file_system.h"
#include "street_data.h"

namespace routix::sample {
namespace {

// Segment numbers fill six columns and start again at 1 after this one.
constexpr int64_t kLastSegmentNumber = 999999;
// The streets form a grid of n by n nodes, n the least that gives the segments asked for,
// over a square from (491000.00, 3991000.00), 38000 map units wide: inside the boundary
// sample's county frame. Coordinates are counted in hundredths of a map unit, so that every
// one of them fills the same columns.
constexpr int64_t kGridX = 49'100'000;
constexpr int64_t kGridY = 399'100'000;
constexpr int64_t kGridSize = 3'800'000;
constexpr int64_t kNodeJitter = 16;     // nodes stray up to 1/16 of a block from the grid
constexpr int64_t kPointJitter = 100;   // the points of a straight street up to 1/100
constexpr int64_t kDiagonalEvery = 12;  // columns between two diagonal avenues of Second
constexpr int kMaxIntermediatePoints = 8;
constexpr size_t kRecordLength = 181;  // up to the last column the conversion reads
constexpr size_t kCutRecordLength = 100;
// Records are split in the last two columns of the street name, which are always blank.
constexpr size_t kSplitAt = 39;
constexpr size_t kLongestName = 31;
constexpr std::string_view kShapeTrailer = " 000000";  // shorter than a pair, never read

// Windows-1252 letters above 0x7F are written as octal escapes, which end after three digits.
constexpr std::string_view kNames[] = {"MAIN",          "OAK",
                                       "M\334HLENWEG",  "STRA\337BURGER",
                                       "CAF\311 ROYAL", "PE\321ALOSA",
                                       "LAKESHORE",     "HARBOUR VIEW",
                                       "ELM",           "SAINT-\311TIENNE",
                                       "\305LESUND",    "PINE RIDGE",
                                       "GR\334NER WEG", "BRIDGE",
                                       "KING GEORGE",   "VALLEY"};
static_assert(std::ranges::all_of(kNames,
                                  [](std::string_view n) { return n.size() <= kLongestName; }));
constexpr std::string_view kMuehlenweg = "M\374hlenweg";
constexpr std::string_view kPrefixes[] = {"  ", "N ", "S ", "E ", "W "};
// Streets that run east-west, north-south, and the diagonal avenues.
constexpr std::string_view kRowType = "ST", kColumnType = "AVE", kDiagonalType = "BLVD";
constexpr std::string_view kSuffixes[] = {"", "N", "S", "E", "W"};
constexpr std::string_view kDirections = "BFT";

// Distributions of its own, since the standard ones differ between libraries.
class Random {
 public:
  explicit Random(uint32_t seed) : engine_(seed) {}
  uint32_t Below(uint32_t n) { return static_cast<uint32_t>((uint64_t{engine_()} * n) >> 32); }
  int64_t Between(int64_t low, int64_t high) {
    return low + Below(static_cast<uint32_t>(high - low + 1));
  }
  bool Percent(uint32_t percent) { return Below(100) < percent; }
  template <typename Item, size_t N>
  Item Pick(const Item (&items)[N]) {
    return items[Below(N)];
  }
  char PickChar(std::string_view letters) {
    return letters[Below(static_cast<uint32_t>(letters.size()))];
  }

 private:
  std::mt19937 engine_;
};

struct Point {
  int64_t x, y;  // hundredths of a map unit
};

// The grid of the street nodes, numbered row by row from 1.
class Grid {
 public:
  Grid(int64_t segments, uint32_t seed) : seed_(seed) {
    while (2 * side_ * (side_ - 1) < segments) ++side_;
    block_ = kGridSize / (side_ - 1);
  }

  int64_t side() const { return side_; }
  int64_t block() const { return block_; }
  int64_t Number(int64_t row, int64_t column) const { return row * side_ + column + 1; }
  // The node's place: its grid point moved by a jitter of its own, the same for every
  // segment that ends there.
  Point At(int64_t row, int64_t column) const {
    const uint64_t hash = Mix(seed_ ^ static_cast<uint64_t>(Number(row, column)));
    const int64_t reach = block_ / kNodeJitter;
    return {kGridX + column * block_ + Spread(hash, reach),
            kGridY + row * block_ + Spread(hash >> 32, reach)};
  }

 private:
  // The splitmix64 finaliser: well-mixed bits from a number, the same on every platform.
  static uint64_t Mix(uint64_t x) {
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9u;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBu;
    return x ^ (x >> 31);
  }
  static int64_t Spread(uint64_t bits, int64_t reach) {
    return static_cast<int64_t>(bits % static_cast<uint64_t>(2 * reach + 1)) - reach;
  }

  uint64_t seed_;
  int64_t side_ = 2;
  int64_t block_ = 0;
};

// One segment's ends: the node numbers and places.
struct Ends {
  int64_t from_node, to_node;
  Point from, to;
};

enum class Layout { kOneLine, kSplit, kSplitAroundEmptyLine };
enum class Twin { kNone, kSameDirection, kReversed };

// What one segment of Mapfil holds besides its random attributes.
struct Plan {
  int intermediate_points = 0;
  bool curved = false;  // the points bend the street, else they only stray from its line
  bool marked = false;
  Twin twin = Twin::kNone;
  Layout layout = Layout::kOneLine;
  size_t length = kRecordLength;
  bool blank_number = false;
  bool odd_nodes = false;   // a non-numeric from node and a blank to node
  bool blank_in_x = false;  // "491 234.56"
  bool trailer = false;     // characters after the last pair of the ShapeLine
  bool muehlenweg = false;
};

// The first segments hold the rare cases, so that even the smallest network has each.
Plan FixedPlan(int64_t index) {
  Plan plan;
  switch (index) {
    case 0:
      plan = {.intermediate_points = 2, .marked = true, .twin = Twin::kSameDirection};
      break;
    case 1:
      plan = {.intermediate_points = 3, .curved = true, .marked = true, .twin = Twin::kReversed};
      break;
    case 2:
      plan.layout = Layout::kSplit;
      break;
    case 3:
      plan = {.blank_number = true, .odd_nodes = true, .blank_in_x = true, .muehlenweg = true};
      break;
    case 4:
      plan = {.intermediate_points = 1, .layout = Layout::kSplitAroundEmptyLine, .trailer = true};
      break;
    case 5:
      plan = {.intermediate_points = 2, .twin = Twin::kSameDirection};
      break;
    case 6:
      plan = {.marked = true, .twin = Twin::kReversed};
      break;
  }
  return plan;
}
constexpr int64_t kFixedPlans = 7;

Plan RandomPlan(Random& random) {
  Plan plan;
  if (random.Percent(60)) {
    plan.intermediate_points = static_cast<int>(random.Between(1, kMaxIntermediatePoints));
    plan.curved = random.Percent(10);
  }
  plan.marked = random.Percent(10);
  if (plan.marked) plan.twin = random.Below(2) == 0 ? Twin::kSameDirection : Twin::kReversed;
  if (random.Below(5000) == 0) plan.layout = Layout::kSplit;
  if (random.Below(20000) == 0) plan.layout = Layout::kSplitAroundEmptyLine;
  if (random.Below(100) == 0) {
    plan.length = 176;  // no Haz, no Nowalk
  } else if (random.Below(50) == 0) {
    plan.length = 178;  // no Nowalk
  }
  plan.trailer = plan.intermediate_points > 0 && random.Percent(10);
  return plan;
}

std::string RightAligned(std::string_view text, size_t width) {
  return std::string(width > text.size() ? width - text.size() : 0, ' ') + std::string(text);
}

std::string LeftAligned(std::string_view text, size_t width) {
  return std::string(text) + std::string(width > text.size() ? width - text.size() : 0, ' ');
}

std::string Number(int64_t value, size_t width) {
  return RightAligned(std::to_string(value), width);
}

// A coordinate in its 10 columns: "491234.56" right-aligned, or "491 234.56".
std::string Coordinate(int64_t hundredths, bool blank_in_thousands = false) {
  char text[32];
  std::snprintf(text, sizeof text, "%lld.%02lld", static_cast<long long>(hundredths / 100),
                static_cast<long long>(hundredths % 100));
  std::string value = text;
  if (blank_in_thousands) value.insert(value.size() - 6, 1, ' ');
  return RightAligned(value, 10);
}

std::string EndText(Point point, bool blank_in_x = false) {
  return Coordinate(point.x, blank_in_x) + Coordinate(point.y);
}

void Put(std::string& record, size_t column, std::string_view text) {
  std::copy(text.begin(), text.end(), record.begin() + static_cast<ptrdiff_t>(column - 1));
}

// What a record holds besides its random attributes.
struct RecordText {
  std::string number;
  std::string_view name;
  std::string_view type;
  std::string from_node, to_node;  // 8 columns each
  std::string from_text, to_text;  // 20 columns each
  std::string mark;
};

// One record of kRecordLength columns with random attributes, then cut to length.
std::string Record(Random& random, const RecordText& text, size_t length) {
  std::string record(kRecordLength, ' ');
  Put(record, 1, text.number);
  Put(record, 7, random.Pick(kPrefixes));
  Put(record, 9, LeftAligned(text.name, 33));
  Put(record, 42, LeftAligned(text.type, 4));
  Put(record, 46, LeftAligned(random.Pick(kSuffixes), 2));
  Put(record, 48, "Z");
  Put(record, 49, Number(random.Between(100, 999), 3));
  const int64_t left = 2 * random.Between(1, 4999), right = 2 * random.Between(1, 4999) + 1;
  Put(record, 58, Number(left, 8));
  Put(record, 66, Number(left + 98, 8));
  Put(record, 74, Number(right, 8));
  Put(record, 82, Number(right + 98, 8));
  Put(record, 90, text.from_node);
  Put(record, 98, text.to_node);
  Put(record, 106, text.from_text);
  Put(record, 126, text.to_text);
  Put(record, 146, Number(5 * random.Between(5, 13), 4));
  Put(record, 152, std::string(1, random.PickChar(kDirections)));
  Put(record, 153, std::string(1, random.PickChar("01")));
  Put(record, 154, std::string(1, random.PickChar("YN")));
  Put(record, 155, std::string(1, random.PickChar("YN")));
  Put(record, 156, Number(random.Between(1, 9), 3));
  Put(record, 159, Number(random.Between(0, 999999999), 10));
  Put(record, 169, Number(random.Between(0, 999999), 6));
  Put(record, 175, text.mark);
  Put(record, 177, Number(random.Between(0, 1), 2));
  Put(record, 179, RightAligned(std::string(1, random.PickChar("NY")), 3));
  record.resize(length);
  return record;
}

void WriteLine(base::OutputFile& file, std::string_view line) {
  file.Append(line);
  file.Append("\n", 1);
}

void WriteRecord(base::OutputFile& file, std::string_view record, Layout layout) {
  switch (layout) {
    case Layout::kOneLine:
      WriteLine(file, record);
      break;
    case Layout::kSplit:
      WriteLine(file, record.substr(0, kSplitAt));
      WriteLine(file, record.substr(kSplitAt + 1));
      break;
    case Layout::kSplitAroundEmptyLine:
      WriteLine(file, record.substr(0, kSplitAt));
      WriteLine(file, "");
      WriteLine(file, record.substr(kSplitAt + 2));
      break;
  }
}

class BoxOfPoints {
 public:
  void Add(Point point) {
    if (empty_) {
      min_ = max_ = point;
      empty_ = false;
    }
    min_ = {std::min(min_.x, point.x), std::min(min_.y, point.y)};
    max_ = {std::max(max_.x, point.x), std::max(max_.y, point.y)};
  }
  // Each hundredths count over 100.0 is the double nearest to the decimal text.
  void Into(SampleStreets& summary) const {
    summary.xmin = static_cast<double>(min_.x) / 100.0;
    summary.ymin = static_cast<double>(min_.y) / 100.0;
    summary.xmax = static_cast<double>(max_.x) / 100.0;
    summary.ymax = static_cast<double>(max_.y) / 100.0;
  }

 private:
  bool empty_ = true;
  Point min_{0, 0}, max_{0, 0};
};

std::string DataPath(const std::string& geo_folder, const StreetDataFile& data) {
  return platform::PathText(platform::FilePath(geo_folder) / data.data_name);
}

// Writes the three street data files: the grid's segments row by row into Mapfil (each row's
// streets east to west, then those north to its next row) with their points in Nodfil, the
// twins of planned segments and the diagonal avenues into Second.
class SampleWriter {
 public:
  SampleWriter(const std::string& geo_folder, int64_t segments, uint32_t seed)
      : segments_(segments),
        random_(seed),
        grid_(segments, seed),
        mapfil_(files_, DataPath(geo_folder, kMapfilData)),
        nodfil_(files_, DataPath(geo_folder, kNodfilData)),
        second_(files_, DataPath(geo_folder, kSecondData)) {}

  SampleStreets Write() {
    const int64_t n = grid_.side();
    for (int64_t row = 0; row < n && summary_.mapfil_records < segments_; ++row) {
      for (int64_t column = 0; column + 1 < n && summary_.mapfil_records < segments_; ++column) {
        WriteSegment(Segment(row, column, row, column + 1),
                     kNames[static_cast<size_t>(row) % std::size(kNames)], kRowType);
      }
      for (int64_t column = 0; row + 1 < n && column < n; ++column) {
        if (summary_.mapfil_records == segments_) return Finish();
        WriteSegment(Segment(row, column, row + 1, column),
                     kNames[static_cast<size_t>(column + 7) % std::size(kNames)], kColumnType);
      }
      if (row + 1 < n) WriteDiagonals(row);
    }
    return Finish();
  }

 private:
  // A segment between two grid nodes, running either way.
  Ends Segment(int64_t row1, int64_t column1, int64_t row2, int64_t column2) {
    Ends ends{grid_.Number(row1, column1), grid_.Number(row2, column2), grid_.At(row1, column1),
              grid_.At(row2, column2)};
    if (random_.Below(2) == 0) {
      std::swap(ends.from_node, ends.to_node);
      std::swap(ends.from, ends.to);
    }
    return ends;
  }

  // The k points between the ends: on a curve that bends up to a third of a block off the
  // line, or straying a little from the line.
  void PointsBetween(const Ends& ends, const Plan& plan) {
    between_.clear();
    const int64_t k = plan.intermediate_points;
    const int64_t bend = plan.curved ? random_.Between(-grid_.block() / 3, grid_.block() / 3) : 0;
    const int64_t stray = grid_.block() / kPointJitter;
    // Across the street: along Y for a street that runs east-west, along X for one north-south.
    const bool east_west = std::abs(ends.to.x - ends.from.x) > std::abs(ends.to.y - ends.from.y);
    for (int64_t j = 1; j <= k; ++j) {
      // 4 t (1 - t) for t = j / (k + 1): 0 at the ends, 1 halfway.
      const int64_t off =
          4 * bend * j * (k + 1 - j) / ((k + 1) * (k + 1)) + random_.Between(-stray, stray);
      Point point{ends.from.x + (ends.to.x - ends.from.x) * j / (k + 1),
                  ends.from.y + (ends.to.y - ends.from.y) * j / (k + 1)};
      (east_west ? point.y : point.x) += off;
      between_.push_back(point);
    }
  }

  void WriteSegment(const Ends& ends, std::string_view name, std::string_view type) {
    const int64_t i = summary_.mapfil_records;
    const Plan plan = i < kFixedPlans ? FixedPlan(i) : RandomPlan(random_);
    PointsBetween(ends, plan);
    box_.Add(ends.from);
    box_.Add(ends.to);
    for (Point point : between_) box_.Add(point);

    RecordText text{
        .number = plan.blank_number ? std::string(6, ' ') : Number(1 + i % kLastSegmentNumber, 6),
        .name = plan.muehlenweg ? kMuehlenweg : name,
        .type = type,
        .from_node = plan.odd_nodes ? RightAligned("N/A", 8) : Number(ends.from_node, 8),
        .to_node = plan.odd_nodes ? std::string(8, ' ') : Number(ends.to_node, 8),
        .from_text = EndText(ends.from, plan.blank_in_x),
        .to_text = EndText(ends.to),
        .mark = plan.marked ? Number(random_.Between(1, 3), 2)
                            : std::string(random_.Percent(50) ? " 0" : "  ")};
    WriteRecord(mapfil_, Record(random_, text, plan.length), plan.layout);
    ++summary_.mapfil_records;

    if (!between_.empty()) {
      std::string shape = text.number;
      for (Point point : between_) shape += EndText(point);
      if (plan.trailer) shape += kShapeTrailer;
      WriteLine(nodfil_, shape);
    }
    if (plan.twin != Twin::kNone) {
      if (plan.twin == Twin::kReversed) {
        std::swap(text.from_text, text.to_text);
        std::swap(text.from_node, text.to_node);
      }
      WriteSecond(text);
    }
  }

  // The diagonal avenues between row and the next: straight segments of Second across the
  // blocks, whose ends match no segment of Mapfil.
  void WriteDiagonals(int64_t row) {
    const int64_t n = grid_.side();
    for (int64_t column = 0; column < n; ++column) {
      for (int64_t step : {int64_t{1}, int64_t{-1}}) {
        const int64_t line = step == 1 ? column - row : column + row;
        if (line % kDiagonalEvery != 0 || column + step < 0 || column + step >= n) continue;
        const Ends ends = Segment(row, column, row + 1, column + step);
        WriteSecond({.number = "",
                     .name = kNames[static_cast<size_t>(row + column) % std::size(kNames)],
                     .type = kDiagonalType,
                     .from_node = Number(ends.from_node, 8),
                     .to_node = Number(ends.to_node, 8),
                     .from_text = EndText(ends.from),
                     .to_text = EndText(ends.to),
                     .mark = ""});
      }
    }
  }

  // A record of Second, numbered after the segments of Mapfil, without a share mark.
  void WriteSecond(RecordText text) {
    text.number = Number(1 + (segments_ + summary_.second_records) % kLastSegmentNumber, 6);
    text.mark = "  ";
    WriteLine(second_, Record(random_, text, kRecordLength));
    ++summary_.second_records;
  }

  SampleStreets Finish() {
    // A last record that the end of the file cuts short, as an interrupted export leaves it.
    const std::string blank_end(20, ' ');
    WriteLine(mapfil_, Record(random_,
                              {.number = Number(1, 6),
                               .name = kNames[0],
                               .type = kRowType,
                               .from_node = std::string(8, ' '),
                               .to_node = std::string(8, ' '),
                               .from_text = blank_end,
                               .to_text = blank_end,
                               .mark = "  "},
                              kRecordLength)
                           .substr(0, kCutRecordLength));
    mapfil_.Close();
    nodfil_.Close();
    second_.Close();
    box_.Into(summary_);
    return summary_;
  }

  const int64_t segments_;
  Random random_;
  const Grid grid_;
  platform::NativeFileSystem files_;
  base::OutputFile mapfil_;
  base::OutputFile nodfil_;
  base::OutputFile second_;
  SampleStreets summary_;
  BoxOfPoints box_;
  std::vector<Point> between_;
};

}  // namespace

SampleStreets WriteSampleStreets(const std::string& geo_folder, int64_t segments, uint32_t seed) {
  return SampleWriter(geo_folder, segments, seed).Write();
}

}  // namespace routix::sample
