// gui_bench_tool SERVER_FOLDER DESTINATION: one press of Go in the window with the street box
// ticked, the closing message answered at once; prints the seconds from the press to the
// message. The window is the real one, with its throttled yield and progress bar.
#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <cstdio>

#include "app/messages.h"
#include "gui/frm_main.h"
#include "platform/native_process_runner.h"
#include "platform/tool_folder.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  if (argc != 3) {
    std::fprintf(stderr, "usage: gui_bench_tool SERVER_FOLDER DESTINATION\n");
    return 2;
  }
  const routix::platform::NativeProcessRunner processes;
  routix::gui::frmMain window(processes, routix::platform::DefaultToolFolder());
  window.findChild<QLineEdit*>("txtSrc")->setText(QString::fromLocal8Bit(argv[1]));
  window.findChild<QLineEdit*>("txtDst")->setText(QString::fromLocal8Bit(argv[2]));
  window.findChild<QCheckBox*>("chkGeo2Shp")->setChecked(true);
  window.show();

  QElapsedTimer clock;
  double seconds = -1;
  QTimer answer;
  QObject::connect(&answer, &QTimer::timeout, [&] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      if (box->text() == QString::fromStdString(routix::app::ConvertFinished().text)) {
        seconds = static_cast<double>(clock.elapsed()) / 1000.0;
      }
      box->buttons().front()->click();
    }
  });
  answer.start(1);
  QTimer::singleShot(100, [&] {
    clock.start();
    window.findChild<QPushButton*>("cmdGo")->click();
    application.quit();
  });
  application.exec();
  if (seconds < 0) return 1;
  std::printf("%.3f\n", seconds);
  return 0;
}
