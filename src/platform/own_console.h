// A console program started from Explorer gets a console of its own, which closes the
// moment the program ends: whatever it printed would flash past. In that case the program
// can show its text and keep the console open until the user has read it.
#pragma once

#include <string_view>

namespace routix::platform {

// When the program's console is its own (no other program, such as a command prompt, shares
// it) and holds its standard input and output: writes text (UTF-8) there, waits for Enter and
// returns true. Otherwise does nothing and returns false; on POSIX always.
bool ShowInOwnConsole(std::string_view text);

}  // namespace routix::platform
