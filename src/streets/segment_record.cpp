#include "streets/segment_record.h"

namespace routix::streets {

std::optional<std::string_view> ReadSegmentRecord(base::TextReader& file, std::string& storage,
                                                  std::string& line) {
  const std::string_view first = file.ReadLineView(storage, kRecordColumns);
  if (first.size() >= kMinRecordLength) return first;
  if (first.data() != storage.data()) storage.assign(first);
  while (storage.size() < kMinRecordLength) {
    if (file.AtEndOfStream()) return std::nullopt;
    file.ReadLine(line, kRecordColumns);
    storage += ' ';
    storage += line;
  }
  return storage;
}

}  // namespace routix::streets
