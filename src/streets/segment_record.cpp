#include "streets/segment_record.h"

namespace routix::streets {

bool ReadSegmentRecord(base::TextReader& file, std::string& record, std::string& line) {
  file.ReadLine(record, kRecordColumns);
  while (record.size() < kMinRecordLength) {
    if (file.AtEndOfStream()) return false;
    file.ReadLine(line, kRecordColumns);
    record += ' ';
    record += line;
  }
  return true;
}

}  // namespace routix::streets
