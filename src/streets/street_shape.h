// The points of one street segment: its from end (record columns 106-125), the intermediate
// points of its ShapeLine in order, its to end (columns 126-145); and the ShapeLine of a
// segment that runs the other way. A ShapeLine holds k = (length - 6) / 20 whole pairs after
// its 6-character segment number; characters after the last whole pair are not read.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "shapefile/shape_record.h"

namespace routix::streets {

size_t ShapePairCount(std::string_view shape);

// Replaces points with the k + 2 points of the record and its shape (empty: a straight line).
void BuildStreetShape(std::string_view record, std::string_view shape,
                      std::vector<shapefile::ShapePoint>& points);

// Replaces reversed with the shape's segment number and its whole pairs in reverse order,
// each pair's 20 characters unchanged.
void ReverseShapePoints(std::string_view shape, std::string& reversed);

}  // namespace routix::streets
