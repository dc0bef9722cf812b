#include "gui/frm_main.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QGridLayout>
#include <QKeyEvent>
#include <QMessageBox>
#include <QScreen>
#include <algorithm>

#include "app/field_tidy.h"
#include "app/message_wrap.h"
#include "app/messages.h"
#include "app/run_conversion.h"
#include "app/select_boundaries.h"
#include "gui/file_dialogs.h"
#include "gui/frm_select_bnd.h"
#include "gui/program_icon.h"
#include "gui/qt_text.h"
#include "gui/twips.h"
#include "gui/window_font.h"
#include "platform/tool_folder.h"

namespace routix::gui {
namespace {

// A box sizes itself to its text; a short text ("Convert finished !") would leave the title
// bar too narrow for the title, which the window manager then cuts. This makes the box as
// wide as its title in a bold font, with room for the bar's icon and buttons beside it.
void WidenForTitle(QMessageBox& box) {
  QFont title_font = box.font();
  title_font.setBold(true);
  const QFontMetrics metrics(title_font);
  const int width = metrics.horizontalAdvance(box.windowTitle()) + 6 * metrics.height();
  if (auto* grid = qobject_cast<QGridLayout*>(box.layout())) {
    grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Minimum),
                  grid->rowCount(), 0, 1, grid->columnCount());
  }
}

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

// Esc and Alt+E, the keys of Exit (Alt+E reaches it as its shortcut).
bool PressesExit(QObject* watched, QEvent* event, QObject* exit_button) {
  if (event->type() == QEvent::Shortcut) return watched == exit_button;
  if (event->type() != QEvent::KeyPress) return false;
  const auto* key = static_cast<QKeyEvent*>(event);
  return key->key() == Qt::Key_Escape ||
         (key->key() == Qt::Key_E && (key->modifiers() & Qt::AltModifier) != 0);
}

}  // namespace

frmMain::frmMain(QWidget* parent)
    : QWidget(parent, Qt::Window),
      services_{
          progress_, status_, files_, yield_, clock_, processes_, platform::DefaultToolFolder()} {
  setObjectName("frmMain");
  UseWindowFont(this);
  setWindowTitle(FromLocal(app::MainWindowCaption()));
  setWindowIcon(ProgramIcon());
  lblDst->setWordWrap(true);
  BuildForm(this, app::kMainForm,
            {{Frame2, "Frame2"},
             {lblSrc, "Label0"},
             {txtSrc, "txtSrc"},
             {cmdBrwSrc, "cmdBrwSrc"},
             {lblDst, "Label1"},
             {txtDst, "txtDst"},
             {cmdBrwDst, "cmdBrwDst"},
             {chkGeo2Shp, "chkGeo2Shp"},
             {chkDat2Shp, "chkDat2Shp"},
             {fraOperation, "fraOperation"},
             {cmdGo, "cmdGo"},
             {cmdExit, "cmdExit"},
             {sttBar, "sttBar"},
             {prbMain, "prbMain"}});
  sttBar->setSizeGripEnabled(false);
  sttBar->addWidget(statusPanel, 1);
  prbMain->setTextVisible(false);
  prbMain->setRange(0, progress_.maximum());
  prbMain->raise();
  progress_.Sync();

  for (QPushButton* button : {cmdBrwSrc, cmdBrwDst, cmdGo, cmdExit}) button->setAutoDefault(true);

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
  box.setWindowTitle(
      FromLocal(message.title.empty() ? app::kApplicationTitle : std::string_view(message.title)));
  box.setTextFormat(Qt::PlainText);  // a path is shown as typed, whatever it holds
  const int columns =
      screen()->availableGeometry().width() / 2 / std::max(1, box.fontMetrics().averageCharWidth());
  box.setText(FromLocal(app::WrapAtSeparators(message.text, static_cast<size_t>(columns))));
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
  const bool yes_no = message.buttons == app::Buttons::kYesNo;
  box.setStandardButtons(yes_no ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok);
  WidenForTitle(box);  // last: setting the icon or the buttons lays the box out anew
  const int pressed = box.exec();
  if (!yes_no) return app::Answer::kOk;
  return pressed == QMessageBox::Yes ? app::Answer::kYes : app::Answer::kNo;
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

boundaries::BoundarySelection frmMain::PickBoundaries(
    const std::vector<boundaries::ListedBoundary>& rows,
    const boundaries::BoundarySelection& current) {
  frmSelectBnd dialog(rows, current, this);
  return dialog.Run();
}

void frmMain::chkDat2ShpClick() { app::SelectBoundaries(*this, selected_boundaries_, services_); }

void frmMain::TidyField(QLineEdit* field) {
  std::string text = ToLocal(field->text());
  field->setText(
      FromLocal(field == txtSrc ? app::TidyServerFolder(text) : app::TidyDestination(text)));
}

bool frmMain::eventFilter(QObject* watched, QEvent* event) {
  if (running_ && IsInput(event->type())) {
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget != nullptr && widget->window() == this) {
      // The press does nothing; Exit's keys close the window as its close box does, once the
      // run has ended.
      if (PressesExit(watched, event, cmdExit)) close();
      return true;
    }
  }
  if (event->type() == QEvent::FocusOut && (watched == txtSrc || watched == txtDst)) {
    // Focus that moves to another window (a message box, a dialog) stays in the field.
    Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
    if (!running_ && reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
      TidyField(static_cast<QLineEdit*>(watched));
    }
  }
  return QWidget::eventFilter(watched, event);
}

void frmMain::closeEvent(QCloseEvent* event) {
  if (running_) {
    close_pending_ = true;
    event->ignore();
    return;
  }
  QWidget::closeEvent(event);
}

void frmMain::keyPressEvent(QKeyEvent* event) {
  // A key reaches the window when the control with the focus leaves it; a button presses
  // itself on Enter.
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      cmdGo->click();
      break;
    case Qt::Key_Escape:
      close();
      break;
    default:
      QWidget::keyPressEvent(event);
  }
}

}  // namespace routix::gui
