#include "streets/segment_record.h"

namespace routix::streets {

bool ReadSegmentRecord(base::TextReader& file, std::string& record, std::string& line) {
  file.ReadLine(record);
  while (record.size() < kMinRecordLength) {
    if (file.AtEndOfStream()) return false;
    file.ReadLine(line);
    record += ' ';
    record += line;
  }
  return true;
}

}  // namespace routix::streets
