#include "boundaries/ring_check.h"

#include <algorithm>
#include <stdexcept>
#include <vector>

#include "boundaries/coordinate_text.h"

namespace routix::boundaries {
namespace {

struct Term {
  double value;  // the magnitude of the edge's term
  int32_t edge;
  bool operator<(const Term& other) const {
    return value < other.value || (value == other.value && edge < other.edge);
  }
};

// "3:500012.25/4000100.5": the edge's number and its end point.
std::string EdgeLabel(std::span<const shapefile::ShapePoint> points, int32_t edge,
                      char decimal_point) {
  const shapefile::ShapePoint& p = points[static_cast<size_t>(edge)];
  return std::to_string(edge) + ":" + CoordinateText(p.x, decimal_point) + "/" +
         CoordinateText(p.y, decimal_point);
}

}  // namespace

bool CheckBoundaryRing(std::span<const shapefile::ShapePoint> points, const RingReport& report) {
  if (points.empty()) throw std::invalid_argument("ring check of an outline without points");
  std::vector<Term> positive;
  std::vector<Term> negative;
  double sum = 0;
  shapefile::ShapePoint prev = points.back();
  for (size_t i = 0; i < points.size(); ++i) {
    double t = (prev.x - points[i].x) * (prev.y + points[i].y);
    sum += t;
    prev = points[i];
    if (t > 0) {
      positive.push_back({t, static_cast<int32_t>(i)});
    } else if (t < 0) {
      negative.push_back({-t, static_cast<int32_t>(i)});
    }
  }

  // Every positive term meets the negative terms of the same value in their list order, so
  // the negative list sorted by value, then by position, gives the pairs in that order.
  std::sort(negative.begin(), negative.end());
  static const char decimal_point = UserDecimalPoint();
  const std::string prefix = "The boundary, ID " + std::to_string(report.boundary_id) + " (" +
                             std::string(report.boundary_descr) +
                             "), may be laying on top of itself at ";
  for (const Term& a : positive) {
    auto b = std::lower_bound(negative.begin(), negative.end(), Term{a.value, -1});
    if (b == negative.end() || b->value != a.value) continue;
    const std::string positive_part = prefix + EdgeLabel(points, a.edge, decimal_point) + " ";
    for (; b != negative.end() && b->value == a.value; ++b) {
      report.report.WriteLine(positive_part + EdgeLabel(points, b->edge, decimal_point));
    }
  }
  return sum <= 0;
}

void ReversePoints(std::span<shapefile::ShapePoint> points) {
  std::reverse(points.begin(), points.end());
}

}  // namespace routix::boundaries
