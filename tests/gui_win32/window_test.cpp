// The Win32 windows' wiring and their event loop while the export program runs, driven by the
// messages a user's presses make and handled through the dialog manager, as the program's own
// message loop does. The tests run in one thread under Wine, which draws on an X display.
#include <gtest/gtest.h>

#include <array>
#include <functional>

#include "app/form_description.h"
#include "app/version.h"
#include "gui_win32/frm_main.h"
#include "gui_win32/frm_select_bnd.h"
#include "gui_win32/window_text.h"
#include "platform/windows/wide_text.h"
#include "support/sample_server.h"
#include "support/scripted_process_runner.h"
#include "support/temp_folder.h"

namespace routix::gui_win32 {
namespace {

// Handles every pending message of this thread, the keys through form's dialog manager.
void Pump(HWND form) {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (IsWindow(form) && IsDialogMessageA(form, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

// Posts a left click on control, a key's press and release to the focused control (with alt,
// as Alt+key), or the press of a dialog's button.
void PostClick(HWND control) {
  PostMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
  PostMessageA(control, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
}
void PostKey(UINT key, bool alt = false) {
  const LPARAM context = (alt ? LPARAM{1} << 29 : 0) | 1;
  PostMessageA(GetFocus(), alt ? WM_SYSKEYDOWN : WM_KEYDOWN, key, context);
  PostMessageA(GetFocus(), alt ? WM_SYSKEYUP : WM_KEYUP, key, context | LPARAM{3} << 30);
}
void PressButton(HWND dialog, int id) {
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

// A message box as the user sees it: "critical \"Db2asc error\": Incompatible dictionary file.".
std::string Seen(HWND box) {
  std::string icon = "none";
  for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if ((GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) != SS_ICON || !IsWindowVisible(child)) {
      continue;
    }
    auto shown = reinterpret_cast<HICON>(SendMessageA(child, STM_GETICON, 0, 0));
    icon = shown == LoadIconA(nullptr, IDI_HAND)       ? "critical"
           : shown == LoadIconA(nullptr, IDI_ASTERISK) ? "information"
                                                       : "other";
  }
  return icon + " \"" + WindowText(box) + "\": " + WindowText(GetDlgItem(box, 0xFFFF));
}

// Every 10 ms, also inside modal loops, while it lives: hands the window that is modal now (a
// popup menu, or the enabled window whose owner is disabled) to answer, unless it was the last
// one answered.
struct ModalAnswerer {
  explicit ModalAnswerer(std::function<void(HWND)> answer) {
    current = std::move(answer);
    timer = SetTimer(nullptr, 0, 10, Tick);
  }
  ~ModalAnswerer() { KillTimer(nullptr, timer), current = nullptr, last = nullptr; }
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    HWND modal = nullptr;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM found) -> BOOL {
          std::array<char, 8> name{};
          GetClassNameA(window, name.data(), static_cast<int>(name.size()));
          HWND owner = GetWindow(window, GW_OWNER);
          if (IsWindowVisible(window) &&
              (std::string(name.data()) == "#32768" ||
               (owner && !IsWindowEnabled(owner) && IsWindowEnabled(window))))
            *reinterpret_cast<HWND*>(found) = window;
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&modal));
    if (modal != nullptr && modal != last && current) current(last = modal);
  }
  static inline std::function<void(HWND)> current;
  static inline HWND last = nullptr;
  UINT_PTR timer;
};

std::wstring ItemText(HWND list, int item, int column) {
  std::array<wchar_t, 80> text{};
  LVITEMW request{};
  request.iSubItem = column;
  request.pszText = text.data();
  request.cchTextMax = static_cast<int>(text.size());
  SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(item),
               reinterpret_cast<LPARAM>(&request));
  return text.data();
}

TEST(FrmMain, ItsControlsAndKeysReachTheDriverAndTheBoundaryDialogsTicksComeBack) {
  testing::TempFolder folder;
  const auto server = testing::MakeSampleServer(folder.path() / "Server", {.streets = false});
  const testing::ScriptedProcessRunner runner;
  frmMain window(runner, "");
  const HWND form = window.handle();
  auto control = [&](int id) { return GetDlgItem(form, id); };
  ShowWindow(form, SW_SHOW);
  SetForegroundWindow(form);
  Pump(form);
  EXPECT_EQ(WindowText(form), "Convert Routix Geocode or Boundaries to Shapefile - Version " +
                                  std::string(app::kVersion));
  EXPECT_NE(SendMessageA(form, WM_GETICON, ICON_BIG, 0), 0);
  std::vector<int> order;  // as Tab goes, from the control with the focus at the start
  for (HWND at = GetFocus(); order.size() < 9; at = GetNextDlgTabItem(form, at, FALSE)) {
    order.push_back(GetDlgCtrlID(at));
  }
  EXPECT_EQ(order, (std::vector<int>{frmMain::kCmdBrwSrc, frmMain::kTxtSrc, frmMain::kCmdBrwDst,
                                     frmMain::kTxtDst, frmMain::kChkGeo2Shp, frmMain::kChkDat2Shp,
                                     frmMain::kCmdGo, frmMain::kCmdExit, frmMain::kCmdBrwSrc}));
  RECT client;  // in twips at the screen's resolution
  GetClientRect(form, &client);
  HDC screen = GetDC(nullptr);
  EXPECT_EQ(client.bottom, MulDiv(app::kMainForm.height, GetDeviceCaps(screen, LOGPIXELSY), 1440));
  ReleaseDC(nullptr, screen);

  SetFocus(control(frmMain::kTxtSrc));
  SetText(control(frmMain::kTxtSrc), " " + server.string() + "\\\\ ");
  SetFocus(control(frmMain::kTxtDst));  // tidies the field it leaves, but not Go
  SetText(control(frmMain::kTxtDst), " roads ");
  std::vector<std::string> seen;  // the message boxes, and the ordinal of the row left ticked
  ModalAnswerer answers([&](HWND modal) {
    if (GetDlgItem(modal, 0xFFFF) != nullptr)
      return seen.push_back(Seen(modal)), PressButton(modal, IDOK);
    HWND list = GetDlgItem(modal, frmSelectBnd::kLstBnd);
    for (int i = 0; i < ListView_GetItemCount(list); ++i) {
      const bool euro = ItemText(list, i, 1) == L"\u00CEle-de-France \u20ACuro";
      ListView_SetCheckState(list, i, euro);
      if (euro) seen.push_back(platform::Narrow(ItemText(list, i, 0)));
    }
    seen.push_back(WindowText(GetDlgItem(modal, frmSelectBnd::kFraSelectBnd)));
    PressButton(modal, IDOK);
  });
  PostKey(VK_RETURN);  // Go
  Pump(form);
  EXPECT_EQ(GetFocus(), control(frmMain::kChkGeo2Shp));
  PostKey('G', true);
  Pump(form);
  SendMessageA(control(frmMain::kChkDat2Shp), BM_CLICK, 0, 0);
  const std::string please = "information \"Routix to Shapefile\": Please select convert type.";
  EXPECT_EQ(seen,
            (std::vector<std::string>{please, please, window.selected_boundaries().col_return.at(0),
                                      "Selected: 1 boundary"}));
  EXPECT_EQ(WindowText(control(frmMain::kTxtSrc)) + "|" + WindowText(control(frmMain::kTxtDst)),
            server.string() + "| roads ");
  PostKey(VK_ESCAPE);
  Pump(form);
  EXPECT_EQ(window.handle(), nullptr);
}

TEST(FrmMain, WhileTheExportProgramRunsPressesDoNothingAndEscOrAltECloseAfterItsEnd) {
  testing::TempFolder folder, tools;
  const auto server = testing::MakeSampleServer(folder.path() / "Server");
  testing::WriteFileBytes(tools.Path("db2asc.exe"), "tool");
  for (bool alt : {false, true}) {
    testing::ScriptedProcessRunner runner;
    frmMain window(runner, tools.path().string());
    const HWND form = window.handle();
    ShowWindow(form, SW_SHOW);
    SetText(GetDlgItem(form, frmMain::kTxtSrc), server.string());
    SetText(GetDlgItem(form, frmMain::kTxtDst), folder.Path("r.shp"));
    CheckDlgButton(form, frmMain::kChkGeo2Shp, BST_CHECKED);
    std::vector<std::string> seen;  // the status, what the presses left, and the message
    runner.script = [&](const auto&, const std::function<void()>& while_waiting) {
      seen.push_back(WindowText(GetDlgItem(form, frmMain::kSttBar)));
      for (int id :
           {frmMain::kCmdGo, frmMain::kCmdExit, frmMain::kCmdBrwSrc, frmMain::kChkDat2Shp}) {
        PostClick(GetDlgItem(form, id));
      }
      SetFocus(GetDlgItem(form, frmMain::kTxtSrc));
      PostKey('X');
      PostKey(alt ? 'E' : VK_ESCAPE, alt);
      while_waiting();
      seen.push_back(WindowText(GetDlgItem(form, frmMain::kTxtSrc)) +
                     (IsDlgButtonChecked(form, frmMain::kChkDat2Shp) ? " ticked" : " unticked"));
      return std::optional<int>(0);  // and writes nothing
    };
    ModalAnswerer answers([&](HWND box) { seen.push_back(Seen(box)), PressButton(box, IDOK); });
    SendMessageA(GetDlgItem(form, frmMain::kCmdGo), BM_CLICK, 0, 0);
    EXPECT_EQ(seen,
              (std::vector<std::string>{
                  "Please wait for a moment when running db2asc...", server.string() + " unticked",
                  "critical \"Db2asc error\": Incompatible dictionary file."}));
    EXPECT_EQ(runner.calls.at(0).working_folder, (server / "PRO").string());
    EXPECT_EQ(testing::ReadFileBytes(server / "PRO" / "db2asc.exe"), "tool");
    EXPECT_EQ(window.handle(), nullptr);  // closed once the run had ended
  }
}

}  // namespace
}  // namespace routix::gui_win32

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  OleInitialize(nullptr);  // the folder browser needs COM; the forms, the common controls
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  return RUN_ALL_TESTS();
}
