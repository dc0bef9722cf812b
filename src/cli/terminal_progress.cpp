#include "cli/terminal_progress.h"

#include <algorithm>
#include <cstdio>

#include "platform/terminal.h"

namespace routix::cli {
namespace {

constexpr int kDefaultColumns = 80;  // when the terminal does not say

bool StartsCharacter(char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }

// The characters of UTF-8 text, each taken as one column.
size_t Columns(std::string_view text) {
  return static_cast<size_t>(std::count_if(text.begin(), text.end(), StartsCharacter));
}

// The first characters of UTF-8 text that take at most columns columns.
std::string_view Cut(std::string_view text, size_t columns) {
  size_t taken = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (StartsCharacter(text[i]) && taken++ == columns) return text.substr(0, i);
  }
  return text;
}

}  // namespace

void TerminalProgress::SetText(const std::string& text) {
  text_ = text;
  counting_ = false;
  if (terminal_ != nullptr) Draw();
}

void TerminalProgress::Changed() {
  if (terminal_ == nullptr) return;
  const int32_t value = this->value();
  if (counting_ && value < last_value_) {
    Finish();
  } else if (value > last_value_) {
    counting_ = true;
  }
  last_value_ = value;
  if (std::chrono::steady_clock::now() - last_draw_ >= redraw_interval_) Draw();
}

size_t TerminalProgress::Room() {
  const int columns = terminal_->Columns();
  // The last column stays free: a character there makes some terminals wrap the line.
  return static_cast<size_t>((columns > 0 ? columns : kDefaultColumns) - 1);
}

std::string TerminalProgress::Line(std::optional<int> percent, size_t room) const {
  if (!percent.has_value()) return std::string(Cut(text_, room));
  char suffix[16];
  std::snprintf(suffix, sizeof suffix, "%s%3d%%", text_.empty() ? "" : " ", *percent);
  const size_t suffix_columns = Columns(suffix);
  if (suffix_columns >= room) return std::string(Cut(suffix, room));
  return std::string(Cut(text_, room - suffix_columns)) + suffix;
}

void TerminalProgress::Draw() {
  last_draw_ = std::chrono::steady_clock::now();
  std::optional<int> percent;
  if (counting_ && maximum() > 0) percent = static_cast<int>(int64_t{100} * value() / maximum());
  const size_t room = Room();
  const std::string line = Line(percent, room);
  if (line != shown_ || room != shown_room_) Show(line, room, "");
}

void TerminalProgress::Finish() {
  const size_t room = Room();
  Show(Line(100, room), room, "\n");
  shown_.clear();
  counting_ = false;
}

void TerminalProgress::Clear() {
  if (terminal_ == nullptr || shown_.empty()) return;
  Show("", Room(), "");
}

void TerminalProgress::Show(const std::string& line, size_t room, std::string_view end) {
  std::string text = "\r" + line;
  // Blanks over the rest of the line shown before, as far as the terminal is wide now; the
  // cursor goes back to the end of the line.
  const size_t before = std::min(Columns(shown_), room), now = Columns(line);
  if (before > now) text.append(before - now, ' ').append(before - now, '\b');
  text += end;
  terminal_->Write(text);
  shown_ = line;
  shown_room_ = room;
}

int StandardErrorTerminal::Columns() { return platform::StandardErrorColumns(); }

void StandardErrorTerminal::Write(std::string_view text) {
  platform::WriteStandard(stderr, text);
  std::fflush(stderr);
}

}  // namespace routix::cli
