#include "shapefile/projection_file.h"

#include <algorithm>
#include <string_view>

#include "base/conversion_error.h"
#include "base/input_file.h"

namespace routix::shapefile {
namespace {

// Notepad's "UTF-8 with BOM" puts this before the text; the .prj is written without it.
constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

// The WKT of a coordinate system takes a few KiB at most; the limit keeps a file chosen by
// mistake from being read whole.
constexpr size_t kMaxProjectionBytes = size_t{64} << 10;

bool IsKeywordCharacter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
}

// What keeps text from being one line of WKT, or nothing when it is one.
std::string_view WktProblem(std::string_view text) {
  if (text.ends_with('\n')) text.remove_suffix(1);
  if (text.ends_with('\r')) text.remove_suffix(1);
  if (text.empty()) return "it is empty";
  if (text.find_first_of("\r\n") != std::string_view::npos) return "it holds more than one line";
  const size_t keyword_end =
      std::find_if_not(text.begin(), text.end(), IsKeywordCharacter) - text.begin();
  if (keyword_end == 0 || keyword_end == text.size() || text[keyword_end] != '[') {
    return "it does not begin with a WKT keyword and [, as PROJCS[ or GEOGCS[";
  }
  int depth = 0;
  bool quoted = false;
  for (size_t i = keyword_end; i < text.size(); ++i) {
    const char c = text[i];
    if (static_cast<unsigned char>(c) < 0x20 && c != '\t') return "it holds a control character";
    if (c == '"') quoted = !quoted;
    if (quoted) continue;
    if (c == '[') ++depth;
    if (c == ']' && --depth == 0 && i + 1 != text.size()) return "text follows its last ]";
  }
  if (quoted || depth != 0) return "its brackets or quotes are not closed";
  return {};
}

}  // namespace

std::string ReadProjectionFile(base::FileSystem& files, const std::string& path) {
  base::InputFile file(files, path);
  if (file.size() > kMaxProjectionBytes) {
    throw base::FileError("use", path,
                          "a projection file is one line of WKT text, and this one is larger "
                          "than 64 KiB");
  }
  std::string text(static_cast<size_t>(file.size()), '\0');
  text.resize(file.ReadAt(0, text.data(), text.size()));
  if (text.starts_with(kUtf8ByteOrderMark)) text.erase(0, kUtf8ByteOrderMark.size());
  const std::string_view problem = WktProblem(text);
  if (!problem.empty()) {
    throw base::FileError("use", path,
                          "a projection file is one line of WKT text, and " + std::string(problem));
  }
  return text;
}

}  // namespace routix::shapefile
