// routix2shp-screenshots.exe: shows the Win32 main window with a Server folder typed in, then
// the boundary selection dialog opened from it. For each it writes the window's place on the
// screen into OUTPUT_FOLDER\<form>.geometry (ImageMagick's WIDTHxHEIGHT+X+Y) and waits until
// the file is gone, which is when scripts/screenshots has taken the picture.
//   routix2shp-screenshots.exe SERVER_FOLDER OUTPUT_FOLDER
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include "gui_win32/frm_main.h"
#include "platform/native_process_runner.h"
#include "platform/tool_folder.h"

namespace {

namespace fs = std::filesystem;
using routix::gui_win32::frmMain;

constexpr auto kPaintTime = std::chrono::milliseconds(500);
constexpr auto kLongestWait = std::chrono::seconds(60);

fs::path output_folder;
bool pictures_taken = true;

void PumpFor(std::chrono::milliseconds time) {
  const auto end = std::chrono::steady_clock::now() + time;
  while (std::chrono::steady_clock::now() < end) {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
}

// Lets window paint, hands its place to the script and waits for its picture.
void Picture(HWND window, const char* form) {
  PumpFor(kPaintTime);
  RECT place;
  GetWindowRect(window, &place);
  const fs::path geometry = output_folder / (std::string(form) + ".geometry");
  std::ofstream(geometry) << place.right - place.left << 'x' << place.bottom - place.top << '+'
                          << place.left << '+' << place.top << '\n';
  const auto end = std::chrono::steady_clock::now() + kLongestWait;
  while (fs::exists(geometry)) {
    if (std::chrono::steady_clock::now() > end) {
      pictures_taken = false;
      return;
    }
    PumpFor(std::chrono::milliseconds(100));
  }
}

// Runs inside the selection dialog's modal loop until the dialog shows: its picture, then
// Cancel.
void CALLBACK PictureOfTheDialog(HWND, UINT, UINT_PTR timer, DWORD) {
  HWND dialog = FindWindowA("#32770", "Boundary Setting");
  if (dialog == nullptr || !IsWindowVisible(dialog)) return;
  KillTimer(nullptr, timer);
  Picture(dialog, "frmSelectBnd");
  PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: routix2shp-screenshots.exe SERVER_FOLDER OUTPUT_FOLDER\n");
    return 2;
  }
  output_folder = argv[2];
  OleInitialize(nullptr);
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  {
    const routix::platform::NativeProcessRunner processes;
    frmMain window(processes, routix::platform::DefaultToolFolder());
    const fs::path server = argv[1];
    SetWindowTextA(GetDlgItem(window.handle(), frmMain::kTxtSrc), server.string().c_str());
    SetWindowTextA(GetDlgItem(window.handle(), frmMain::kTxtDst),
                   (server / "roads.shp").string().c_str());
    ShowWindow(window.handle(), SW_SHOW);
    // Xvfb has no window manager to make the window the active one: it is drawn as such.
    SendMessageA(window.handle(), WM_NCACTIVATE, TRUE, 0);
    Picture(window.handle(), "frmMain");
    SetTimer(nullptr, 0, 100, PictureOfTheDialog);
    SendMessageA(GetDlgItem(window.handle(), frmMain::kChkDat2Shp), BM_CLICK, 0, 0);
  }
  OleUninitialize();
  return pictures_taken ? 0 : 1;
}
