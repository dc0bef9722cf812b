// The points of one street segment: its from end (record columns 106-125), the intermediate
// points of its ShapeLine in order, its to end (columns 126-145). Each end, and each pair of
// a ShapeLine, is an X and a Y of 10 columns, read as lenient numbers.
#pragma once

#include <string_view>

#include "shapefile/shape_record.h"

namespace routix::streets {

shapefile::ShapePoint FromEnd(std::string_view record);
shapefile::ShapePoint ToEnd(std::string_view record);
// A pair of a ShapeLine: 20 characters, or fewer where the text ends.
shapefile::ShapePoint PairPoint(std::string_view pair);

}  // namespace routix::streets
