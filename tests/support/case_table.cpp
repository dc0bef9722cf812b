#include "support/case_table.h"

#include <sstream>
#include <stdexcept>

#include "support/temp_folder.h"

namespace routix::testing {
namespace {

std::string Unescape(const std::string& text, const std::string& where) {
  if (text == "\"\"") return "";
  std::string bytes;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\') {
      bytes += text[i];
      continue;
    }
    const char c = ++i < text.size() ? text[i] : '?';
    if (c == 'x' && i + 2 < text.size()) {
      bytes += static_cast<char>(std::stoi(text.substr(i + 1, 2), nullptr, 16));
      i += 2;
    } else if (const size_t at = std::string("\\trn0").find(c); at != std::string::npos) {
      bytes += std::string("\\\t\r\n\0", 5)[at];
    } else {
      throw std::runtime_error(where + ": a broken escape");
    }
  }
  return bytes;
}

}  // namespace

std::string DataFileBytes(const std::string& name) {
  return ReadFileBytes(std::string(ROUTIX_TEST_DATA) + "/" + name);
}

std::vector<Case> ReadCases(const std::string& name) {
  std::istringstream file(DataFileBytes(name));
  std::vector<Case> cases;
  std::string line;
  for (int number = 1; std::getline(file, line); ++number) {
    if (line.empty() || line[0] == '#') continue;
    Case& added = cases.emplace_back(Case{name + ":" + std::to_string(number), {}});
    for (size_t start = 0;;) {
      const size_t tab = line.find('\t', start);
      added.fields.push_back(Unescape(line.substr(start, tab - start), added.where));
      if (tab == std::string::npos) break;
      start = tab + 1;
    }
  }
  if (cases.empty()) throw std::runtime_error(name + " holds no cases");
  return cases;
}

}  // namespace routix::testing
