// routix2shp-gui: the program's window. It takes no command line; closing it ends the program.
#include <QApplication>

#include "gui/frm_main.h"
#include "gui/program_icon.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  // The desktop entry routix2shp.desktop: its icon stands for the window in a task bar.
  QGuiApplication::setDesktopFileName(QStringLiteral("routix2shp"));
  QApplication::setWindowIcon(routix::gui::ProgramIcon());
  routix::gui::frmMain window;
  window.show();
  return application.exec();  // ends when the window closes
}
