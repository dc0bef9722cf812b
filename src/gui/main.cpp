// routix2shp-gui: the program's window. It takes no command line; closing it ends the program.
#include <QApplication>

#include "gui/frm_main.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  routix::gui::frmMain window;
  QObject::connect(&window, &QDialog::finished, &application, &QApplication::quit);
  window.show();
  return application.exec();
}
