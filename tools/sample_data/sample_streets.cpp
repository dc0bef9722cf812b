#include "sample_streets.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
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
// The map area in hundredths of a map unit: X from 300000.00 and Y from 4500000.00, each
// 400000 units wide, so every coordinate fills the same columns.
constexpr int64_t kAreaX = 30'000'000;
constexpr int64_t kAreaY = 450'000'000;
constexpr uint32_t kAreaSize = 40'000'000;
constexpr int64_t kMaxReach = 50'000;  // a segment's ends lie up to 500 units apart
constexpr int64_t kMaxJitter = 2'000;  // its intermediate points stray up to 20 units
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
constexpr std::string_view kTypes[] = {"ST", "AVE", "RD", "BLVD", "LN", "WAY"};
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

enum class Layout { kOneLine, kSplit, kSplitAroundEmptyLine };
enum class Twin { kNone, kSameDirection, kReversed };

// What one segment of Mapfil holds besides its random attributes.
struct Plan {
  int intermediate_points = 0;
  bool marked = false;
  Twin twin = Twin::kNone;
  Layout layout = Layout::kOneLine;
  size_t length = kRecordLength;
  bool blank_number = false;
  bool odd_nodes = false;   // a non-numeric from node and a blank to node
  bool blank_in_x = false;  // "312 345.67"
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
      plan = {.intermediate_points = 3, .marked = true, .twin = Twin::kReversed};
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

// A coordinate in its 10 columns: "312345.67" right-aligned, or "312 345.67".
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

// One record of kRecordLength columns with random attributes, then cut to length.
std::string Record(Random& random, std::string_view number, std::string_view name,
                   std::string_view from_text, std::string_view to_text, std::string_view mark,
                   bool odd_nodes, size_t length) {
  std::string record(kRecordLength, ' ');
  Put(record, 1, number);
  Put(record, 7, random.Pick(kPrefixes));
  Put(record, 9, LeftAligned(name, 33));
  Put(record, 42, LeftAligned(random.Pick(kTypes), 4));
  Put(record, 46, LeftAligned(random.Pick(kSuffixes), 2));
  Put(record, 48, "Z");
  Put(record, 49, Number(random.Between(100, 999), 3));
  const int64_t left = 2 * random.Between(1, 4999), right = 2 * random.Between(1, 4999) + 1;
  Put(record, 58, Number(left, 8));
  Put(record, 66, Number(left + 98, 8));
  Put(record, 74, Number(right, 8));
  Put(record, 82, Number(right + 98, 8));
  Put(record, 90, odd_nodes ? RightAligned("N/A", 8) : Number(random.Between(1, 99999999), 8));
  Put(record, 98, odd_nodes ? std::string(8, ' ') : Number(random.Between(1, 99999999), 8));
  Put(record, 106, from_text);
  Put(record, 126, to_text);
  Put(record, 146, Number(5 * random.Between(5, 13), 4));
  Put(record, 152, std::string(1, random.PickChar(kDirections)));
  Put(record, 153, std::string(1, random.PickChar("01")));
  Put(record, 154, std::string(1, random.PickChar("YN")));
  Put(record, 155, std::string(1, random.PickChar("YN")));
  Put(record, 156, Number(random.Between(1, 9), 3));
  Put(record, 159, Number(random.Between(0, 999999999), 10));
  Put(record, 169, Number(random.Between(0, 999999), 6));
  Put(record, 175, mark);
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

}  // namespace

SampleStreets WriteSampleStreets(const std::string& geo_folder, int64_t segments, uint32_t seed) {
  Random random(seed);
  platform::NativeFileSystem files;
  base::OutputFile mapfil(files, DataPath(geo_folder, kMapfilData));
  base::OutputFile nodfil(files, DataPath(geo_folder, kNodfilData));
  base::OutputFile second(files, DataPath(geo_folder, kSecondData));
  SampleStreets summary;
  BoxOfPoints box;
  std::vector<Point> between;

  for (int64_t i = 0; i < segments; ++i) {
    const Plan plan = i < kFixedPlans ? FixedPlan(i) : RandomPlan(random);
    const Point from{kAreaX + random.Below(kAreaSize), kAreaY + random.Below(kAreaSize)};
    const Point to{from.x + random.Between(-kMaxReach, kMaxReach),
                   from.y + random.Between(-kMaxReach, kMaxReach)};
    between.clear();
    const int k = plan.intermediate_points;
    for (int j = 1; j <= k; ++j) {
      between.push_back(
          {from.x + (to.x - from.x) * j / (k + 1) + random.Between(-kMaxJitter, kMaxJitter),
           from.y + (to.y - from.y) * j / (k + 1) + random.Between(-kMaxJitter, kMaxJitter)});
    }
    box.Add(from);
    box.Add(to);
    for (Point point : between) box.Add(point);

    const std::string number =
        plan.blank_number ? std::string(6, ' ') : Number(1 + i % kLastSegmentNumber, 6);
    const std::string from_text = EndText(from, plan.blank_in_x);
    const std::string to_text = EndText(to);
    const std::string mark = plan.marked ? Number(random.Between(1, 3), 2)
                                         : std::string(random.Percent(50) ? " 0" : "  ");
    const std::string_view name = plan.muehlenweg ? kMuehlenweg : random.Pick(kNames);
    WriteRecord(mapfil,
                Record(random, number, name, from_text, to_text, mark, plan.odd_nodes, plan.length),
                plan.layout);
    ++summary.mapfil_records;

    if (k > 0) {
      std::string shape = number;
      for (Point point : between) shape += EndText(point);
      if (plan.trailer) shape += kShapeTrailer;
      WriteLine(nodfil, shape);
    }
    if (plan.twin != Twin::kNone) {
      const bool same = plan.twin == Twin::kSameDirection;
      WriteLine(
          second,
          Record(random, Number(1 + (segments + summary.second_records) % kLastSegmentNumber, 6),
                 random.Pick(kNames), same ? from_text : to_text, same ? to_text : from_text, "  ",
                 false, kRecordLength));
      ++summary.second_records;
    }
  }
  // A last record that the end of the file cuts short, as an interrupted export leaves it.
  const std::string end_text(20, ' ');
  WriteLine(mapfil, Record(random, Number(1, 6), random.Pick(kNames), end_text, end_text, "  ",
                           false, kRecordLength)
                        .substr(0, kCutRecordLength));

  mapfil.Close();
  nodfil.Close();
  second.Close();
  box.Into(summary);
  return summary;
}

}  // namespace routix::sample
