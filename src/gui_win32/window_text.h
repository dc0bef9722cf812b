// Text between the core and the Win32 controls. Paths and messages are in the ANSI code page,
// as everything else of the system, and go through the A calls; a boundary description is
// Windows-1252 whatever the code page, so it is decoded from that code page and shown
// through a W call.
#pragma once

#include <string>

#include "gui_win32/win32.h"

namespace routix::gui_win32 {

std::string WindowText(HWND window);
std::wstring WideFromCp1252(const std::string& text);

}  // namespace routix::gui_win32
