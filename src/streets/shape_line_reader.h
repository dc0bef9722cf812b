// Reads the ShapeLines of Nodfil.asc one at a time without holding them: of the current line
// only its segment number is kept until its points are asked for, and then they stream in
// pair by pair, so a line of any length costs no more than its points. A partial pair at the
// end of a line is not read.
#pragma once

#include <string>
#include <vector>

#include "base/text_stream.h"
#include "shapefile/shape_record.h"

namespace routix::streets {

class ShapeLineReader {
 public:
  // file: Nodfil.asc, at the start of a line; it must outlive the reader.
  explicit ShapeLineReader(base::TextReader& file) : file_(file) {}

  // Makes the next line the current one; false when the file has no more, and from then on.
  bool Next();
  // The value of the current line's segment number, columns 1-6.
  double number() const { return number_; }
  // Appends the points of the current line's whole pairs to points and reads the line to its
  // end. A line of more pairs than a shapefile record can hold throws FileError.
  void AppendPoints(std::vector<shapefile::ShapePoint>& points);

 private:
  base::TextReader& file_;
  double number_ = 0;
  bool ended_ = true;  // the current line has been read to its end
};

}  // namespace routix::streets
