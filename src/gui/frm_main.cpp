#include "gui/frm_main.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFocusEvent>
#include <QMessageBox>

#include "app/driver_paths.h"
#include "app/field_tidy.h"
#include "app/messages.h"
#include "app/run_conversion.h"
#include "base/conversion_error.h"
#include "base/path_utils.h"
#include "gui/file_dialogs.h"
#include "gui/frm_select_bnd.h"
#include "gui/qt_text.h"
#include "gui/twips.h"
#include "gui/window_font.h"
#include "platform/program_folder.h"

namespace routix::gui {
namespace {

QString Text(std::string_view text) { return FromLocal(std::string(text)); }

bool IsInput(QEvent::Type type) {
  switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::Shortcut:
    case QEvent::ShortcutOverride:
      return true;
    default:
      return false;
  }
}

}  // namespace

frmMain::frmMain(QWidget* parent)
    : QDialog(parent), services_{progress_, status_, files_,
                                 yield_,    clock_,  platform::ProgramFolder()} {
  setObjectName("frmMain");
  UseWindowFont(this);
  setWindowTitle(Text(app::MainWindowCaption()));
  setFixedSize(SizeInTwips(this, 8025, 2535));

  PlaceControls({
      {Frame2, "Frame2", "Specify data paths", 90, 90, 7845, 1560},
      {lblSrc, "Label0", "Server folder", 120, 270, 975, 315},
      {txtSrc, "txtSrc", "", 1110, 270, 6195, 315},
      {cmdBrwSrc, "cmdBrwSrc", "...", 7335, 270, 420, 315},
      {lblDst, "Label1", "Destination Shapefile", 180, 630, 825, 390},
      {txtDst, "txtDst", "", 1110, 705, 6195, 315},
      {cmdBrwDst, "cmdBrwDst", "...", 7335, 705, 420, 315},
      {chkGeo2Shp, "chkGeo2Shp", "Routix Geocode to Shapefile", 360, 1200, 2655, 255},
      {chkDat2Shp, "chkDat2Shp", "Routix Boundary to Shapefile", 3240, 1200, 2655, 255},
      {fraOperation, "fraOperation", "", 90, 1590, 7845, 615},
      {cmdGo, "cmdGo", "&Go", 1155, 150, 2745, 405},
      {cmdExit, "cmdExit", "&Exit", 3975, 150, 2745, 405},
      {sttBar, "sttBar", "", 0, 2205, 8025, 330},
      {prbMain, "prbMain", "", 4065, 2250, 3945, 270},
  });
  lblDst->setWordWrap(true);
  sttBar->setSizeGripEnabled(false);
  sttBar->addWidget(statusPanel, 1);
  prbMain->setTextVisible(false);
  prbMain->setRange(0, progress_.maximum());
  prbMain->raise();
  progress_.Sync();

  cmdGo->setDefault(true);
  for (QPushButton* button : {cmdBrwSrc, cmdBrwDst, cmdGo, cmdExit}) button->setAutoDefault(true);
  QWidget::setTabOrder(cmdBrwSrc, txtSrc);
  QWidget::setTabOrder(txtSrc, cmdBrwDst);
  QWidget::setTabOrder(cmdBrwDst, txtDst);
  QWidget::setTabOrder(txtDst, chkGeo2Shp);
  QWidget::setTabOrder(chkGeo2Shp, chkDat2Shp);
  QWidget::setTabOrder(chkDat2Shp, cmdGo);
  QWidget::setTabOrder(cmdGo, cmdExit);
  cmdBrwSrc->setFocus(Qt::OtherFocusReason);

  txtSrc->installEventFilter(this);
  txtDst->installEventFilter(this);
  qApp->installEventFilter(this);
  connect(cmdGo, &QPushButton::clicked, this, &frmMain::cmdGoClick);
  connect(cmdExit, &QPushButton::clicked, this, &frmMain::close);
  connect(cmdBrwSrc, &QPushButton::clicked, this, &frmMain::cmdBrwSrcClick);
  connect(cmdBrwDst, &QPushButton::clicked, this, &frmMain::BrowseDestination);
  connect(chkDat2Shp, &QCheckBox::stateChanged, this, &frmMain::chkDat2ShpClick);
}

bool frmMain::IsTicked(app::CheckBox box) const {
  return (box == app::CheckBox::kGeo2Shp ? chkGeo2Shp : chkDat2Shp)->isChecked();
}

void frmMain::Untick(app::CheckBox box) {
  (box == app::CheckBox::kGeo2Shp ? chkGeo2Shp : chkDat2Shp)->setChecked(false);
}

std::string frmMain::ServerFolderText() const { return ToLocal(txtSrc->text()); }

std::string frmMain::DestinationText() const { return ToLocal(txtDst->text()); }

app::Answer frmMain::ShowMessage(const app::Message& message) {
  progress_.Sync();
  QMessageBox box(this);
  box.setWindowTitle(Text(message.title.empty() ? app::kApplicationTitle : message.title));
  box.setText(FromLocal(message.text));
  switch (message.icon) {
    case app::Icon::kNone:
      box.setIcon(QMessageBox::NoIcon);
      break;
    case app::Icon::kInformation:
      box.setIcon(QMessageBox::Information);
      break;
    case app::Icon::kCritical:
      box.setIcon(QMessageBox::Critical);
      break;
    case app::Icon::kQuestion:
      box.setIcon(QMessageBox::Question);
      break;
  }
  if (message.buttons == app::Buttons::kYesNo) {
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    return box.exec() == QMessageBox::Yes ? app::Answer::kYes : app::Answer::kNo;
  }
  box.setStandardButtons(QMessageBox::Ok);
  box.exec();
  return app::Answer::kOk;
}

void frmMain::FocusGeocodeBox() { chkGeo2Shp->setFocus(Qt::OtherFocusReason); }

void frmMain::SetBusyPointer(bool busy) {
  if (busy) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
  } else {
    QApplication::restoreOverrideCursor();
  }
}

void frmMain::BrowseDestination() {
  txtDst->setText(FromLocal(
      SaveFileDialog(this, DestinationText(), std::string(app::kSaveShapefileTitle), ".shp")));
}

void frmMain::cmdGoClick() {
  running_ = true;
  app::RunConversion(*this, selected_boundaries_, services_);
  progress_.Sync();
  running_ = false;
  if (close_pending_) close();
}

void frmMain::cmdBrwSrcClick() {
  txtSrc->setText(FromLocal(
      BrowseForFolder(this, ServerFolderText(), std::string(app::kServerFolderBrowseTitle))));
}

void frmMain::chkDat2ShpClick() {
  if (!chkDat2Shp->isChecked()) return;
  const std::string server_folder = ServerFolderText();
  if (!files_.FileExists(app::BoundaryDataFile(server_folder))) {
    ShowMessage(app::RxybndNotFound(app::DynFolderForMessage(server_folder)));
    chkDat2Shp->setChecked(false);
    return;
  }
  std::string dyn = base::NormalizePath(server_folder + base::NativeSeparators("\\DYN"));
  try {
    frmSelectBnd dialog(dyn, selected_boundaries_, this);
    selected_boundaries_ = dialog.Run();
  } catch (const base::ConversionError& error) {
    ShowMessage(app::ConversionFailed(error.what()));
    chkDat2Shp->setChecked(false);
  }
}

void frmMain::TidyField(QLineEdit* field) {
  std::string text = ToLocal(field->text());
  field->setText(
      FromLocal(field == txtSrc ? app::TidyServerFolder(text) : app::TidyDestination(text)));
}

bool frmMain::eventFilter(QObject* watched, QEvent* event) {
  if (running_ && IsInput(event->type())) {
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget != nullptr && widget->window() == this) return true;  // the press does nothing
  }
  if (event->type() == QEvent::FocusOut && (watched == txtSrc || watched == txtDst)) {
    // Focus that moves to another window (a message box, a dialog) stays in the field.
    Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
    if (!running_ && reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
      TidyField(static_cast<QLineEdit*>(watched));
    }
  }
  return QDialog::eventFilter(watched, event);
}

void frmMain::closeEvent(QCloseEvent* event) {
  if (running_) {
    close_pending_ = true;
    event->ignore();
    return;
  }
  QDialog::closeEvent(event);
}

void frmMain::reject() {
  if (running_) {
    close_pending_ = true;
    return;
  }
  QDialog::reject();
}

}  // namespace routix::gui
