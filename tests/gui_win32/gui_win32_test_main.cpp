// The Win32 window tests run in one thread of one process under Wine, which draws the windows
// on an X display.
#include <gtest/gtest.h>

#include <cstdio>

#include "gui_win32/win32.h"

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  OleInitialize(nullptr);
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  HWND probe =
      CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  if (probe == nullptr && !GTEST_FLAG_GET(list_tests)) {
    std::fprintf(stderr, "No window can be made: under Wine the tests need an X display.\n");
    return 1;
  }
  DestroyWindow(probe);
  int result = RUN_ALL_TESTS();
  OleUninitialize();
  return result;
}
