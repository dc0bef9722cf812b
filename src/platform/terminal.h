// Standard output and standard error as the user sees them. WriteStandard writes UTF-8 text
// to either: on a Windows console through WriteConsoleW, so that every character shows
// whatever the console's code page, and otherwise (a pipe, a file, a terminal elsewhere) as
// its UTF-8 bytes. Standard error as a terminal: whether it is one, where a progress line can
// be redrawn in place, and how many columns wide it is now (asked anew each time, so that a
// resized window is followed).
#pragma once

#include <cstdio>
#include <string_view>

namespace routix::platform {

// stream is stdout or stderr.
void WriteStandard(std::FILE* stream, std::string_view text);

bool StandardErrorIsTerminal();

// The width of the terminal on standard error in columns; 0 when it has none or does not say.
int StandardErrorColumns();

}  // namespace routix::platform
