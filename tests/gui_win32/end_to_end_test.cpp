// Go pressed in the Win32 window with both boxes ticked writes, file for file and byte for
// byte, what the command line writes from the same Server folder.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

#include "gui_win32/frm_main.h"
#include "platform/process.h"
#include "sample_data/sample_boundaries.h"
#include "sample_data/sample_streets.h"
#include "support/temp_folder.h"
#include "window_driver.h"

namespace routix::gui_win32 {
namespace {

namespace fs = std::filesystem;

// A generated Server folder whose PRO holds the stand-in export program.
fs::path MakeServer(const fs::path& folder) {
  const fs::path server = folder / "Server";
  fs::create_directories(server / "GEO");
  fs::create_directories(server / "DYN");
  sample::WriteSampleStreets((server / "GEO").string(), 3000, 11);
  sample::WriteSampleBoundaries((server / "DYN").string(), 11);
  fs::copy(fs::path(ROUTIX_PROGRAM_FOLDER) / "Server" / "PRO", server / "PRO",
           fs::copy_options::recursive);
  fs::create_directories(folder / "out");
  return server;
}

// A file's bytes, without the date of a .dbf (its bytes 1 to 3).
std::string Compared(const fs::path& file) {
  std::string bytes = testing::ReadFileBytes(file);
  if (file.extension() == ".dbf" && bytes.size() > 4) bytes.erase(1, 3);
  return bytes;
}

std::set<std::string> Names(const fs::path& folder) {
  std::set<std::string> names;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
    names.insert(entry.path().filename().string());
  }
  return names;
}

TEST(Win32Window, GoWithBothBoxesTickedWritesWhatTheCommandLineWrites) {
  testing::TempFolder folder;
  const fs::path by_window = folder.path() / "window", by_command = folder.path() / "command";
  {
    const fs::path server = MakeServer(by_window);
    frmMain window;
    ShowWindow(window.handle(), SW_SHOW);
    SetWindowTextA(GetDlgItem(window.handle(), frmMain::kTxtSrc), server.string().c_str());
    SetWindowTextA(GetDlgItem(window.handle(), frmMain::kTxtDst),
                   (by_window / "out" / "roads.shp").string().c_str());
    {
      testing::ModalAnswerer defaults([](HWND dialog) { testing::PressButton(dialog, IDOK); });
      SendMessageA(GetDlgItem(window.handle(), frmMain::kChkDat2Shp), BM_CLICK, 0, 0);
    }
    SendMessageA(GetDlgItem(window.handle(), frmMain::kChkGeo2Shp), BM_CLICK, 0, 0);
    testing::ModalAnswerer finished;
    SendMessageA(GetDlgItem(window.handle(), frmMain::kCmdGo), BM_CLICK, 0, 0);
    EXPECT_EQ(finished.messages,
              std::vector<std::string>{"none \"Routix to Shapefile\": Convert finished !"});
  }
  const fs::path server = MakeServer(by_command);
  // Appended part by part: GCC 12's Release checks refuse "..." + std::string here.
  std::string program = "\"";
  program += (fs::path(ROUTIX_PROGRAM_FOLDER) / "routix2shp.exe").string();
  program += "\" ";
  std::string paths = " \"";
  paths += server.string();
  paths += "\" \"";
  paths += (by_command / "out" / "roads.shp").string();
  paths += "\"";
  for (const char* command : {"streets", "boundaries"}) {
    platform::RunAndWait(program + command + paths, by_command.string(), [] {});
  }

  const std::set<std::string> names = Names(by_window / "out");
  EXPECT_EQ(names, Names(by_command / "out"));
  EXPECT_TRUE(names.count("roads.shp") && names.count("Bnd_roads.shp") &&
              names.count("Report.err"));
  for (const std::string& name : names) {
    SCOPED_TRACE(name);
    EXPECT_EQ(Compared(by_window / "out" / name), Compared(by_command / "out" / name));
  }
}

}  // namespace
}  // namespace routix::gui_win32
