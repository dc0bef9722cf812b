// frmMain is the program's window, a normal top-level window with the program's icon: the
// Server folder and destination fields with their browse buttons, the two conversion boxes,
// Go (pressed by Enter wherever the focus is, except on another button) and Exit (pressed by
// Esc), the status panel and the progress bar. Its handlers are one call each into the
// driver, which reaches the window only through ConversionUi. While a run is in progress the
// window keeps painting, presses on its controls do nothing, and closing waits until the run
// has ended.
#pragma once

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QWidget>

#include "app/conversion_ui.h"
#include "base/clock.h"
#include "base/file_system_service.h"
#include "base/program_services.h"
#include "boundaries/boundary_selection.h"
#include "gui/qt_services.h"
#include "platform/native_file_system.h"
#include "platform/native_process_runner.h"

namespace routix::gui {

class frmMain : public QWidget, public app::ConversionUi {
  Q_OBJECT

 public:
  explicit frmMain(QWidget* parent = nullptr);

  bool IsTicked(app::CheckBox box) const override;
  void Untick(app::CheckBox box) override;
  std::string ServerFolderText() const override;
  std::string DestinationText() const override;
  app::Answer ShowMessage(const app::Message& message) override;
  void FocusGeocodeBox() override;
  void SetBusyPointer(bool busy) override;
  void BrowseDestination() override;
  boundaries::BoundarySelection PickBoundaries(
      const std::vector<boundaries::ListedBoundary>& rows,
      const boundaries::BoundarySelection& current) override;

  const base::ProgramServices& services() const { return services_; }
  const boundaries::BoundarySelection& selected_boundaries() const { return selected_boundaries_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;  // Enter and Esc, as the default and cancel keys

 private:
  void cmdGoClick();
  void cmdBrwSrcClick();
  void chkDat2ShpClick();
  void TidyField(QLineEdit* field);

  QGroupBox* Frame2 = new QGroupBox(this);
  QLabel* lblSrc = new QLabel(Frame2);  // Label(0)
  QLineEdit* txtSrc = new QLineEdit(Frame2);
  QPushButton* cmdBrwSrc = new QPushButton(Frame2);
  QLabel* lblDst = new QLabel(Frame2);  // Label(1)
  QLineEdit* txtDst = new QLineEdit(Frame2);
  QPushButton* cmdBrwDst = new QPushButton(Frame2);
  QCheckBox* chkGeo2Shp = new QCheckBox(Frame2);
  QCheckBox* chkDat2Shp = new QCheckBox(Frame2);
  QGroupBox* fraOperation = new QGroupBox(this);
  QPushButton* cmdGo = new QPushButton(fraOperation);
  QPushButton* cmdExit = new QPushButton(fraOperation);
  QStatusBar* sttBar = new QStatusBar(this);
  QLabel* statusPanel = new QLabel(sttBar);  // panel 1
  QProgressBar* prbMain = new QProgressBar(this);

  QtProgressBar progress_{prbMain};
  QtStatusPanel status_{statusPanel};
  QtYielder yield_{progress_};
  platform::NativeFileSystem native_files_;
  base::FileSystemService files_{native_files_};
  base::SystemClock clock_;
  platform::NativeProcessRunner processes_;
  base::ProgramServices services_;
  boundaries::BoundarySelection selected_boundaries_;
  bool running_ = false;
  bool close_pending_ = false;
};

}  // namespace routix::gui
