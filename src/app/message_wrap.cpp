#include "app/message_wrap.h"

#include "app/messages.h"

namespace routix::app {
namespace {

// Where a UTF-8 character starts: not on one of its continuation bytes.
bool StartsCharacter(char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }

// The word cut into pieces of at most columns characters, each piece but the last ending in
// a separator where one lies within it.
void AppendWrapped(std::string_view line, size_t columns, std::string& out) {
  while (true) {
    size_t characters = 0, cut = std::string_view::npos, at_columns = line.size();
    for (size_t i = 0; i < line.size(); ++i) {
      if (!StartsCharacter(line[i])) continue;
      if (characters == columns) {
        at_columns = i;
        break;
      }
      ++characters;
      if (line[i] == '\\' || line[i] == '/') cut = i + 1;
    }
    if (at_columns == line.size()) break;
    if (cut == std::string_view::npos || cut == at_columns) cut = at_columns;
    out += line.substr(0, cut);
    out += kCrLf;
    line.remove_prefix(cut);
  }
  out += line;
}

}  // namespace

std::string WrapAtSeparators(std::string_view text, size_t columns) {
  if (columns == 0) return std::string(text);
  std::string out;
  size_t word = 0;
  for (size_t i = 0; i <= text.size(); ++i) {
    if (i < text.size() && text[i] != ' ' && text[i] != '\r' && text[i] != '\n') continue;
    AppendWrapped(text.substr(word, i - word), columns, out);
    if (i < text.size()) out += text[i];
    word = i + 1;
  }
  return out;
}

}  // namespace routix::app
