// Text between the core and the Win32 controls, through the …W calls: the program's UTF-8
// (paths, messages) turned into UTF-16 and back, and a boundary description, which is
// Windows-1252 whatever the code page, decoded from that code page.
#pragma once

#include <string>

#include "gui_win32/win32.h"

namespace routix::gui_win32 {

std::string WindowText(HWND window);
void SetText(HWND window, const std::string& text);
std::wstring WideFromCp1252(const std::string& text);

}  // namespace routix::gui_win32
