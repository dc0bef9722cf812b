// routix2shp-gui: the program's window; closing it ends the program. --version and --help
// answer on standard output before anything of the window starts, so they need no display.
#include <QApplication>
#include <cstdio>
#include <string>
#include <string_view>

#include "app/version.h"
#include "gui/frm_main.h"
#include "gui/program_icon.h"
#include "platform/native_process_runner.h"
#include "platform/tool_folder.h"

int main(int argc, char** argv) {
  const std::string_view only = argc == 2 ? argv[1] : "";
  if (only == "--version") {
    std::printf("routix2shp-gui %s\n", std::string(routix::app::kVersion).c_str());
    return 0;
  }
  if (only == "--help" || only == "-h") {
    std::fputs(
        "usage: routix2shp-gui [--help | --version]\n\n"
        "Shows the window of routix2shp, which converts the data folder of the Routix routing\n"
        "system (its Server folder) into ESRI Shapefiles. The command line is routix2shp; see\n"
        "routix2shp --help.\n",
        stdout);
    return 0;
  }
  QApplication application(argc, argv);
  // The desktop entry routix2shp.desktop: its icon stands for the window in a task bar.
  QGuiApplication::setDesktopFileName(QStringLiteral("routix2shp"));
  QApplication::setWindowIcon(routix::gui::ProgramIcon());
  const routix::platform::NativeProcessRunner processes;
  routix::gui::frmMain window(processes, routix::platform::DefaultToolFolder());
  window.show();
  return application.exec();  // ends when the window closes
}
