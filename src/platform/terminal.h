// Standard error as a terminal: whether it is one, where a progress line can be redrawn in
// place, and how many columns wide it is now (asked anew each time, so that a resized window
// is followed).
#pragma once

namespace routix::platform {

bool StandardErrorIsTerminal();

// The width of the terminal on standard error in columns; 0 when it has none or does not say.
int StandardErrorColumns();

}  // namespace routix::platform
