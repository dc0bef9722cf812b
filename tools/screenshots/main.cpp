// routix2shp-screenshots: shows the main window with a Server folder typed in, opens the
// boundary selection dialog from it, and saves a picture of each. The picture of the main
// window shows the folder where a site keeps its Server folder, kShownFolder, not the one of
// this machine; the dialog then reads its boundaries from SERVER_FOLDER.
//   routix2shp-screenshots SERVER_FOLDER OUTPUT_FOLDER
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QTimer>
#include <cstdio>

#include "gui/frm_main.h"
#include "platform/native_process_runner.h"
#include "platform/tool_folder.h"

namespace {

const QString kShownFolder = QStringLiteral("/srv/routix/Server");

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  if (argc != 3) {
    std::fprintf(stderr, "usage: routix2shp-screenshots SERVER_FOLDER OUTPUT_FOLDER\n");
    return 2;
  }
  const QString server_folder = QString::fromLocal8Bit(argv[1]);
  const QDir output(QString::fromLocal8Bit(argv[2]));
  int saved = 0;
  auto save = [&](QWidget* widget, const char* name) {
    if (widget->grab().save(output.filePath(QString::fromUtf8(name)))) ++saved;
  };

  const routix::platform::NativeProcessRunner processes;
  routix::gui::frmMain window(processes, routix::platform::DefaultToolFolder());
  auto* source = window.findChild<QLineEdit*>("txtSrc");
  source->setText(kShownFolder);
  window.findChild<QLineEdit*>("txtDst")->setText(QDir(kShownFolder).filePath("roads.shp"));
  window.show();
  QTimer::singleShot(300, [&] {
    save(&window, "frmMain.png");
    source->setText(server_folder);
    QTimer::singleShot(300, [&] {
      QWidget* dialog = QApplication::activeModalWidget();
      if (dialog != nullptr) {
        save(dialog, "frmSelectBnd.png");
        dialog->close();
      }
      application.quit();
    });
    window.findChild<QCheckBox*>("chkDat2Shp")->setChecked(true);  // opens the dialog
  });
  application.exec();
  return saved == 2 ? 0 : 1;
}
