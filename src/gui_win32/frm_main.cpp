#include "gui_win32/frm_main.h"

#include <algorithm>

#include "app/field_tidy.h"
#include "app/form_description.h"
#include "app/message_wrap.h"
#include "app/messages.h"
#include "app/run_conversion.h"
#include "app/select_boundaries.h"
#include "gui_win32/file_dialogs.h"
#include "gui_win32/frm_select_bnd.h"
#include "gui_win32/win32_form.h"
#include "gui_win32/window_text.h"
#include "platform/tool_folder.h"
#include "platform/windows/wide_text.h"

namespace routix::gui_win32 {
namespace {

constexpr DWORD kMainStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

UINT IconFlag(app::Icon icon) {
  switch (icon) {
    case app::Icon::kNone:
      return 0;
    case app::Icon::kInformation:
      return MB_ICONINFORMATION;
    case app::Icon::kCritical:
      return MB_ICONERROR;
    case app::Icon::kQuestion:
      return MB_ICONQUESTION;
  }
  return 0;
}

// How many characters of the message font half the screen's work area holds: a message box's
// longest line, so that the box fits the screen.
size_t MessageColumns() {
  RECT area{0, 0, 1024, 768};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
  int average = 8;
  NONCLIENTMETRICSW metrics = {};
  metrics.cbSize = sizeof metrics;
  if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
    HFONT font = CreateFontIndirectW(&metrics.lfMessageFont);
    HDC screen = GetDC(nullptr);
    HGDIOBJ previous = SelectObject(screen, font);
    TEXTMETRICW text = {};
    if (GetTextMetricsW(screen, &text) && text.tmAveCharWidth > 0) average = text.tmAveCharWidth;
    SelectObject(screen, previous);
    ReleaseDC(nullptr, screen);
    DeleteObject(font);
  }
  return static_cast<size_t>(std::max(20, static_cast<int>(area.right - area.left) / 2 / average));
}

}  // namespace

frmMain::frmMain()
    : services_{
          progress_, status_, files_, yield_, clock_, processes_, platform::DefaultToolFolder()} {
  static const DialogTemplate kTemplate(kMainStyle);
  CreateDialogIndirectParamW(GetModuleHandleW(nullptr), kTemplate.get(), nullptr, DialogProc,
                             reinterpret_cast<LPARAM>(this));
}

frmMain::~frmMain() {
  if (hwnd_ != nullptr) DestroyWindow(hwnd_);
}

INT_PTR CALLBACK frmMain::DialogProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_INITDIALOG) {
    SetWindowLongPtrW(window, DWLP_USER, lparam);
    reinterpret_cast<frmMain*>(lparam)->hwnd_ = window;
  }
  auto* form = reinterpret_cast<frmMain*>(GetWindowLongPtrW(window, DWLP_USER));
  return form == nullptr ? FALSE : form->HandleMessage(message, wparam, lparam);
}

INT_PTR frmMain::HandleMessage(UINT message, WPARAM wparam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      OnInitDialog();
      return FALSE;  // the focus is set
    case WM_COMMAND:
      OnCommand(LOWORD(wparam), HIWORD(wparam));
      return TRUE;
    case WM_SETCURSOR:
      if (!OnSetCursor()) return FALSE;
      SetWindowLongPtrW(hwnd_, DWLP_MSGRESULT, TRUE);
      return TRUE;
    case WM_CLOSE:
      Close();
      return TRUE;
    case WM_DESTROY:
      SetWindowLongPtrW(hwnd_, DWLP_USER, 0);
      hwnd_ = nullptr;
      return TRUE;
    default:
      return FALSE;
  }
}

void frmMain::OnInitDialog() {
  SetText(hwnd_, app::MainWindowCaption());
  BuildForm(hwnd_, app::kMainForm,
            {{"Frame2", kFrame2},
             {"Label0", kLabel0},
             {"txtSrc", kTxtSrc},
             {"cmdBrwSrc", kCmdBrwSrc},
             {"Label1", kLabel1},
             {"txtDst", kTxtDst},
             {"cmdBrwDst", kCmdBrwDst},
             {"chkGeo2Shp", kChkGeo2Shp},
             {"chkDat2Shp", kChkDat2Shp},
             {"fraOperation", kFraOperation},
             {"cmdGo", kCmdGo},
             {"cmdExit", kCmdExit},
             {"sttBar", kSttBar},
             {"prbMain", kPrbMain}});
  progress_.Attach(Control(kPrbMain));
  status_.Attach(Control(kSttBar));
  yield_.Attach(hwnd_);
  progress_.Sync();
}

void frmMain::OnCommand(int id, int code) {
  if (running_) return;  // the window's own presses are dropped; this catches the others
  switch (id) {
    case kCmdGo:
      if (code == BN_CLICKED) OnGoClicked();
      break;
    case kCmdExit:  // also Esc
      if (code == BN_CLICKED) Close();
      break;
    case kCmdBrwSrc:
      if (code == BN_CLICKED) OnBrowseSourceClicked();
      break;
    case kCmdBrwDst:
      if (code == BN_CLICKED) BrowseDestination();
      break;
    case kChkDat2Shp:
      if (code == BN_CLICKED) OnBoundaryBoxClicked();
      break;
    case kTxtSrc:
    case kTxtDst:
      if (code == EN_KILLFOCUS) OnFieldKillFocus(id);
      break;
    default:
      break;
  }
}

bool frmMain::IsTicked(app::CheckBox box) const {
  return IsDlgButtonChecked(hwnd_, box == app::CheckBox::kGeo2Shp ? kChkGeo2Shp : kChkDat2Shp) ==
         BST_CHECKED;
}

void frmMain::Untick(app::CheckBox box) {
  CheckDlgButton(hwnd_, box == app::CheckBox::kGeo2Shp ? kChkGeo2Shp : kChkDat2Shp, BST_UNCHECKED);
}

std::string frmMain::ServerFolderText() const { return WindowText(Control(kTxtSrc)); }

std::string frmMain::DestinationText() const { return WindowText(Control(kTxtDst)); }

app::Answer frmMain::ShowMessage(const app::Message& message) {
  progress_.Sync();
  const std::string title =
      message.title.empty() ? std::string(app::kApplicationTitle) : message.title;
  const bool question = message.buttons == app::Buttons::kYesNo;
  const std::string text = app::WrapAtSeparators(message.text, MessageColumns());
  int pressed = MessageBoxW(hwnd_, platform::Widen(text).c_str(), platform::Widen(title).c_str(),
                            (question ? MB_YESNO : MB_OK) | IconFlag(message.icon));
  if (!question) return app::Answer::kOk;
  return pressed == IDYES ? app::Answer::kYes : app::Answer::kNo;
}

void frmMain::FocusGeocodeBox() {
  SendMessageW(hwnd_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Control(kChkGeo2Shp)), TRUE);
}

void frmMain::SetBusyPointer(bool busy) {
  busy_ = busy;
  SetCursor(LoadCursorA(nullptr, busy ? IDC_WAIT : IDC_ARROW));
}

bool frmMain::OnSetCursor() {
  if (busy_) SetCursor(LoadCursorA(nullptr, IDC_WAIT));
  return busy_;
}

void frmMain::BrowseDestination() {
  SetText(Control(kTxtDst),
          SaveFileDialog(hwnd_, DestinationText(), std::string(app::kSaveShapefileTitle), ".shp"));
}

boundaries::BoundarySelection frmMain::PickBoundaries(
    const std::vector<boundaries::ListedBoundary>& rows,
    const boundaries::BoundarySelection& current) {
  frmSelectBnd dialog(rows, current);
  return dialog.Run(hwnd_);
}

void frmMain::OnGoClicked() {
  running_ = true;
  app::RunConversion(*this, selected_boundaries_, services_);
  progress_.Sync();
  running_ = false;
  if (close_pending_) Close();
}

void frmMain::OnBrowseSourceClicked() {
  SetText(Control(kTxtSrc),
          BrowseForFolder(hwnd_, ServerFolderText(), std::string(app::kServerFolderBrowseTitle)));
}

void frmMain::OnBoundaryBoxClicked() {
  app::SelectBoundaries(*this, selected_boundaries_, services_);
}

void frmMain::OnFieldKillFocus(int id) {
  // Focus that moves to another window (a message box, a dialog, another program) leaves
  // the field as it is.
  if (!IsChild(hwnd_, GetFocus())) return;
  const std::string text = WindowText(Control(id));
  SetText(Control(id), id == kTxtSrc ? app::TidyServerFolder(text) : app::TidyDestination(text));
}

void frmMain::Close() {
  if (running_) {
    close_pending_ = true;
    return;
  }
  DestroyWindow(hwnd_);
}

}  // namespace routix::gui_win32
