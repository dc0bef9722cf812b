// routix2shp-gui.exe: the program's window on Windows. It takes no command line; closing the
// window ends the program.
#include "gui_win32/frm_main.h"
#include "gui_win32/win32.h"
#include "platform/native_process_runner.h"
#include "platform/tool_folder.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int show) {
  // The folder browser needs COM on this thread; the forms need the common controls.
  OleInitialize(nullptr);
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  {
    const routix::platform::NativeProcessRunner processes;
    routix::gui_win32::frmMain window(processes, routix::platform::DefaultToolFolder());
    ShowWindow(window.handle(), show);
    MSG message;
    while (window.handle() != nullptr && GetMessageW(&message, nullptr, 0, 0) > 0) {
      if (!IsDialogMessageW(window.handle(), &message)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
      }
    }
  }
  OleUninitialize();
  return 0;
}
