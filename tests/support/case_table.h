// Test cases kept as data files under tests/: one case a line, its fields parted by tabs;
// blank lines and lines that start with '#' are comments. In a field, \\ \t \r \n \0 and \xHH
// stand for their bytes and a field of just "" is empty, so a case can hold any bytes.
#pragma once

#include <string>
#include <vector>

namespace routix::testing {

struct Case {
  std::string where;  // "file:line", for SCOPED_TRACE
  std::vector<std::string> fields;
  const std::string& operator[](size_t i) const { return fields.at(i); }
};

// The bytes of the data file name, relative to the tests' source folder.
std::string DataFileBytes(const std::string& name);
// The cases of the data file name. A file that cannot be read, a broken escape or a file
// without cases throws std::runtime_error.
std::vector<Case> ReadCases(const std::string& name);

}  // namespace routix::testing
