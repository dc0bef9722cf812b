#include "gui_win32/frm_main.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <optional>

#include "app/form_description.h"
#include "app/version.h"
#include "gui_win32/window_text.h"
#include "sample_data/sample_boundaries.h"
#include "support/temp_folder.h"
#include "window_driver.h"

namespace routix::gui_win32 {
namespace {

namespace fs = std::filesystem;
using testing::ModalAnswerer;

class FrmMainTest : public ::testing::Test {
 protected:
  FrmMainTest() {
    ShowWindow(window_.handle(), SW_SHOW);
    SetForegroundWindow(window_.handle());
    Pump();
  }
  HWND Control(int id) { return GetDlgItem(window_.handle(), id); }
  std::string Text(int id) { return WindowText(Control(id)); }
  void SetText(int id, const std::string& text) { gui_win32::SetText(Control(id), text); }
  void Pump() { testing::Pump(window_.handle()); }
  bool Ticked(int id) { return IsDlgButtonChecked(window_.handle(), id) == BST_CHECKED; }

  frmMain window_;
};

TEST_F(FrmMainTest,
       StartsWithTheVersionInItsCaptionItsIconTheFocusOnTheFirstBrowseButtonAndItsTwips) {
  EXPECT_EQ(
      WindowText(window_.handle()),
      "Convert Routix Geocode or Boundaries to Shapefile - Version " + std::string(app::kVersion));
  std::vector<int> order;  // from the control with the focus at the start, as Tab goes
  HWND control = GetFocus();
  for (int i = 0; i < 9; ++i) {
    order.push_back(GetDlgCtrlID(control));
    control = GetNextDlgTabItem(window_.handle(), control, FALSE);
  }
  EXPECT_EQ(order, (std::vector<int>{frmMain::kCmdBrwSrc, frmMain::kTxtSrc, frmMain::kCmdBrwDst,
                                     frmMain::kTxtDst, frmMain::kChkGeo2Shp, frmMain::kChkDat2Shp,
                                     frmMain::kCmdGo, frmMain::kCmdExit, frmMain::kCmdBrwSrc}));
  EXPECT_EQ(Text(frmMain::kCmdGo), "&Go");
  EXPECT_EQ(Text(frmMain::kCmdExit), "&Exit");
  for (WPARAM size : {ICON_SMALL, ICON_BIG}) {  // the program's own, in the title and task bars
    EXPECT_NE(SendMessageA(window_.handle(), WM_GETICON, size, 0), 0);
  }

  HDC screen = GetDC(nullptr);
  const int dpi_x = GetDeviceCaps(screen, LOGPIXELSX), dpi_y = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  RECT client;
  GetClientRect(window_.handle(), &client);
  EXPECT_EQ(client.right, MulDiv(app::kMainForm.width, dpi_x, 1440));
  EXPECT_EQ(client.bottom, MulDiv(app::kMainForm.height, dpi_y, 1440));
  RECT field;  // txtDst: 1110, 705 inside Frame2 at 90, 90
  GetWindowRect(Control(frmMain::kTxtDst), &field);
  MapWindowPoints(nullptr, window_.handle(), reinterpret_cast<POINT*>(&field), 2);
  EXPECT_EQ(field.left, MulDiv(90 + 1110, dpi_x, 1440));
  EXPECT_EQ(field.top, MulDiv(90 + 705, dpi_y, 1440));
  EXPECT_EQ(field.right - field.left, MulDiv(6195, dpi_x, 1440));

  testing::PostKey('E', true);  // Alt+E, Exit
  Pump();
  EXPECT_EQ(window_.handle(), nullptr);
}

TEST_F(FrmMainTest, PathFieldsAreTidiedWhenTheFocusMovesToAnotherControl) {
  SendMessageA(window_.handle(), WM_NEXTDLGCTL, 0, FALSE);  // Tab, to txtSrc
  SetText(frmMain::kTxtSrc, "  \\srv\\\\data\\  ");
  SendMessageA(window_.handle(), WM_NEXTDLGCTL, 0, FALSE);
  EXPECT_EQ(Text(frmMain::kTxtSrc), "\\srv\\data");

  SetFocus(Control(frmMain::kTxtDst));
  SetText(frmMain::kTxtDst, " roads ");
  testing::PostClick(Control(frmMain::kChkGeo2Shp));
  Pump();
  EXPECT_EQ(Text(frmMain::kTxtDst), "roads.shp");
  EXPECT_TRUE(Ticked(frmMain::kChkGeo2Shp));
}

TEST_F(FrmMainTest, EnterAndAltGRunGoWithTheFieldAsTypedAndEscCloses) {
  ModalAnswerer answers;
  SetFocus(Control(frmMain::kTxtDst));
  SetText(frmMain::kTxtDst, " roads ");
  testing::PostKey(VK_RETURN);
  Pump();
  EXPECT_EQ(Text(frmMain::kTxtDst), " roads ");
  EXPECT_EQ(GetFocus(), Control(frmMain::kChkGeo2Shp));
  testing::PostKey('G', true);
  Pump();
  EXPECT_EQ(answers.messages,
            std::vector<std::string>(
                2, "information \"Routix to Shapefile\": Please select convert type."));

  testing::PostKey(VK_ESCAPE);
  Pump();
  EXPECT_EQ(window_.handle(), nullptr);
}

TEST_F(FrmMainTest, TickingTheBoundaryBoxOpensTheDialogOnlyWhenRxybndIsThere) {
  testing::TempFolder folder;
  const fs::path server = folder.path() / "Server";
  fs::create_directories(server / "DYN");
  SetText(frmMain::kTxtSrc, server.string());
  {
    ModalAnswerer missing;
    SendMessageA(Control(frmMain::kChkDat2Shp), BM_CLICK, 0, 0);
    EXPECT_EQ(missing.messages,
              std::vector<std::string>{"critical \"Routix to Shapefile\": Not found Rxybnd.dat "
                                       "file in directory: \r\n" +
                                       (server / "DYN").string() + "\\"});
    EXPECT_FALSE(Ticked(frmMain::kChkDat2Shp));
  }
  sample::WriteSampleBoundaries((server / "DYN").string(), 3);
  std::string dialog_title;
  ModalAnswerer ok([&](HWND modal) {
    dialog_title = WindowText(modal);
    testing::PressButton(modal, IDOK);
  });
  SendMessageA(Control(frmMain::kChkDat2Shp), BM_CLICK, 0, 0);
  EXPECT_EQ(dialog_title, "Boundary Setting");
  EXPECT_TRUE(Ticked(frmMain::kChkDat2Shp));
  EXPECT_FALSE(window_.selected_boundaries().col_return.empty());
}

TEST_F(FrmMainTest, ABareDestinationIsRefusedForBoundariesAndALongPathFitsTheScreen) {
  testing::TempFolder folder;
  const fs::path server = folder.path() / "Server";
  fs::create_directories(server / "DYN");
  sample::WriteSampleBoundaries((server / "DYN").string(), 3);
  SetText(frmMain::kTxtSrc, server.string());
  {
    ModalAnswerer ok([](HWND dialog) { testing::PressButton(dialog, IDOK); });
    SendMessageA(Control(frmMain::kChkDat2Shp), BM_CLICK, 0, 0);
  }
  // Typed in Cyrillic: the field holds what was typed, whatever the code page.
  SetWindowTextW(Control(frmMain::kTxtDst), L"\x041A\x0438\x0435\x0432");
  const std::string long_folder = folder.Path(std::string(300, 'a')) + "\\" + std::string(40, 'b');
  std::vector<std::string> seen;
  RECT screen;
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &screen, 0);
  ModalAnswerer answers([&](HWND box) {
    RECT place;
    GetWindowRect(box, &place);
    seen.push_back(testing::MessageBoxSeen(box));
    seen.push_back(place.left >= screen.left && place.right <= screen.right ? "fits" : "too wide");
    testing::PressButton(box, IDOK);
  });
  for (const std::string& destination : {Text(frmMain::kTxtDst), long_folder}) {
    SetText(frmMain::kTxtDst, destination);
    SendMessageA(Control(frmMain::kCmdGo), BM_CLICK, 0, 0);
  }
  ASSERT_EQ(seen.size(), 4u);
  EXPECT_EQ(
      seen[0],
      "critical \"Routix to Shapefile\": Destination path incorrect!\r\n\u041A\u0438\u0435\u0432");
  EXPECT_EQ(seen[1], "fits");
  EXPECT_EQ(seen[3], "fits");
  EXPECT_FALSE(fs::exists(L"Bnd_\x041A\x0438\x0435\x0432.shp"));  // in the working folder
  EXPECT_TRUE(Ticked(frmMain::kChkDat2Shp));
}

// What the test's timer does 200 ms into a run: the presses of a user, then Esc or Alt+E.
struct PressesDuringARun {
  static void CALLBACK Press(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    after = std::chrono::steady_clock::now() - start;
    for (int id : {frmMain::kCmdGo, frmMain::kCmdExit, frmMain::kCmdBrwSrc, frmMain::kChkDat2Shp}) {
      testing::PostClick(GetDlgItem(window, id));
    }
    SetFocus(GetDlgItem(window, frmMain::kTxtSrc));
    testing::PostKey('X');
    testing::PostKey(alt ? 'E' : VK_ESCAPE, alt);
  }
  static inline HWND window = nullptr;
  static inline bool alt = false;
  static inline std::chrono::steady_clock::time_point start{};
  static inline std::optional<std::chrono::steady_clock::duration> after;
};

TEST_F(FrmMainTest, WhileTheExportProgramRunsPressesDoNothingAndEscOrAltECloseAfterItsEnd) {
  testing::TempFolder folder;
  fs::create_directories(folder.path() / "Server" / "GEO");
  // The slow stand-in export program, which writes nothing: the run ends with "Incompatible
  // dictionary file."
  fs::copy(fs::path(ROUTIX_PROGRAM_FOLDER) / "slow_export", folder.path() / "Server" / "PRO",
           fs::copy_options::recursive);
  for (bool alt : {false, true}) {
    SCOPED_TRACE(alt ? "Alt+E" : "Esc");
    frmMain window;
    ShowWindow(window.handle(), SW_SHOW);
    auto control = [&](int id) { return GetDlgItem(window.handle(), id); };
    SetWindowTextA(control(frmMain::kTxtSrc), (folder.path() / "Server").string().c_str());
    SetWindowTextA(control(frmMain::kTxtDst), (folder.path() / "roads.shp").string().c_str());
    testing::PostClick(control(frmMain::kChkGeo2Shp));
    testing::Pump(window.handle());

    std::vector<std::string> at_the_end;  // what the window shows with the last message, and it
    ModalAnswerer answers([&](HWND box) {
      at_the_end = {
          WindowText(control(frmMain::kTxtSrc)),
          IsDlgButtonChecked(window.handle(), frmMain::kChkDat2Shp) ? "ticked" : "unticked",
          testing::MessageBoxSeen(box)};
      testing::PressButton(box, IDOK);
    });
    PressesDuringARun::window = window.handle();
    PressesDuringARun::alt = alt;
    PressesDuringARun::after.reset();
    PressesDuringARun::start = std::chrono::steady_clock::now();
    SetTimer(nullptr, 0, 200, PressesDuringARun::Press);
    SendMessageA(control(frmMain::kCmdGo), BM_CLICK, 0, 0);
    ASSERT_TRUE(PressesDuringARun::after.has_value());
    EXPECT_LT(*PressesDuringARun::after, std::chrono::milliseconds(600));  // the export ran
    EXPECT_EQ(at_the_end, (std::vector<std::string>{
                              (folder.path() / "Server").string(), "unticked",
                              "critical \"Db2asc error\": Incompatible dictionary file."}));
    EXPECT_EQ(window.handle(), nullptr);  // closed once the run had ended
  }
}

TEST_F(FrmMainTest, TheBrowseButtonsHandTheirDialogsResultsToTheFields) {
  testing::TempFolder folder;
  // Wine's folder browser finds no folder that its process made after it had started, so
  // it is opened on the system's temporary folder.
  const std::string start = fs::temp_directory_path().parent_path().string();
  SetText(frmMain::kTxtSrc, start);
  {
    ModalAnswerer confirm([&](HWND dialog) {
      // Once it has opened on the start folder, its status line shows the folder's path.
      for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr;
           child = GetWindow(child, GW_HWNDNEXT)) {
        if (WindowText(child) == start) testing::PressButton(dialog, IDOK);
      }
    });
    SendMessageA(Control(frmMain::kCmdBrwSrc), BM_CLICK, 0, 0);
    EXPECT_EQ(Text(frmMain::kTxtSrc), start + "\\");
  }

  SetText(frmMain::kTxtDst, folder.Path("old.shp"));
  {
    ModalAnswerer confirm([](HWND dialog) {
      // The dialog offers the name in its folder; the user types another one.
      for (HWND name = FindWindowExA(dialog, nullptr, nullptr, nullptr); name != nullptr;
           name = GetNextWindow(name, GW_HWNDNEXT)) {
        HWND edit = FindWindowExA(FindWindowExA(name, nullptr, "ComboBox", nullptr), nullptr,
                                  "Edit", nullptr);
        if (edit == nullptr || WindowText(edit) != "old.shp") continue;
        SetWindowTextA(edit, "roads");
        testing::PressButton(dialog, IDOK);
      }
    });
    const fs::path working_folder = fs::current_path();
    SendMessageA(Control(frmMain::kCmdBrwDst), BM_CLICK, 0, 0);
    EXPECT_EQ(Text(frmMain::kTxtDst), folder.Path("roads.shp"));
    EXPECT_EQ(fs::current_path(), working_folder);
  }
  SetText(frmMain::kTxtDst, folder.Path("roads"));
  ModalAnswerer cancel([](HWND dialog) { testing::PressButton(dialog, IDCANCEL); });
  SendMessageA(Control(frmMain::kCmdBrwDst), BM_CLICK, 0, 0);
  EXPECT_EQ(Text(frmMain::kTxtDst), folder.Path("roads") + ".shp");
}

}  // namespace
}  // namespace routix::gui_win32
