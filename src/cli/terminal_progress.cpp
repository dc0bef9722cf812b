#include "cli/terminal_progress.h"

#include <cstdio>

namespace routix::cli {
namespace {

constexpr int kLineWidth = 79;  // one line of a standard terminal, so that \r redraws it

}  // namespace

void TerminalProgress::SetText(const std::string& text) {
  text_ = text;
  if (shown_) Draw();
}

void TerminalProgress::Changed() {
  if (!shown_) return;
  auto now = std::chrono::steady_clock::now();
  if (now - last_draw_ >= kRedrawInterval) Draw();
}

void TerminalProgress::Draw() {
  last_draw_ = std::chrono::steady_clock::now();
  int percent = maximum() > 0 ? static_cast<int>(int64_t{100} * value() / maximum()) : 0;
  std::string line = text_.substr(0, kLineWidth - 6);
  std::fprintf(stderr, "\r%-*s %3d%%", kLineWidth - 5, line.c_str(), percent);
  std::fflush(stderr);
  drawn_ = true;
}

void TerminalProgress::Clear() {
  if (!drawn_) return;
  std::fprintf(stderr, "\r%*s\r", kLineWidth, "");
  std::fflush(stderr);
  drawn_ = false;
}

}  // namespace routix::cli
