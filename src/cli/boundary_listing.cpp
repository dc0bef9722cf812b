#include "cli/boundary_listing.h"

#include <cstdio>

#include "base/cp1252.h"

namespace routix::cli {
namespace {

std::string Description(const boundaries::ListedBoundary& row) {
  return base::Cp1252ToUtf8(row.description);
}

// The escape of c: in the list's text for a backslash, tab, CR and LF; in JSON also for a
// quotation mark and every other character below 0x20. Empty when c stands as it is.
std::string Escape(char c, bool json) {
  switch (c) {
    case '\\':
      return "\\\\";
    case '\t':
      return "\\t";
    case '\r':
      return "\\r";
    case '\n':
      return "\\n";
    case '"':
      return json ? "\\\"" : "";
    default:
      break;
  }
  if (!json || static_cast<unsigned char>(c) >= 0x20) return "";
  char code[8];
  std::snprintf(code, sizeof code, "\\u%04x", static_cast<unsigned>(c));
  return code;
}

std::string Escaped(const std::string& text, bool json) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    const std::string escape = Escape(c, json);
    if (escape.empty()) {
      out += c;
    } else {
      out += escape;
    }
  }
  return out;
}

}  // namespace

std::string BoundaryListText(const std::vector<boundaries::ListedBoundary>& rows) {
  std::string text;
  for (const boundaries::ListedBoundary& row : rows) {
    text += std::to_string(row.ordinal) + "\t" + row.node_count + "\t" +
            Escaped(Description(row), false) + "\n";
  }
  return text;
}

std::string BoundaryListJson(const std::vector<boundaries::ListedBoundary>& rows) {
  std::string text = "[";
  for (const boundaries::ListedBoundary& row : rows) {
    text += text.size() > 1 ? ",\n " : "\n ";
    text += "{\"id\": " + std::to_string(row.ordinal) + ", \"description\": \"" +
            Escaped(Description(row), true) + "\", \"node_count\": " + row.node_count + "}";
  }
  return text + (rows.empty() ? "]\n" : "\n]\n");
}

}  // namespace routix::cli
