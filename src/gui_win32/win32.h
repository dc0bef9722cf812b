// The Windows API headers of the window, in the order they need each other, without the
// macro Yield() that <windows.h> keeps from 16-bit Windows, which would rename the program's
// own yield.
#pragma once

// clang-format off
#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>
#include <objbase.h>
#include <shlobj.h>
#include <windowsx.h>
// clang-format on

#undef Yield
