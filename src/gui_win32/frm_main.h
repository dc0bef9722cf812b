// frmMain, the program's window on the Win32 API: the Server folder and destination fields
// with their browse buttons, the two conversion boxes, Go and Exit, the status panel and the
// progress bar. Its handlers are one call each into the driver, which reaches the window only
// through ConversionUi. While a run is in progress the window keeps answering the system and
// painting, presses on its controls do nothing, and closing waits until the run has ended.
#pragma once

#include "app/conversion_ui.h"
#include "base/clock.h"
#include "base/file_system_service.h"
#include "base/program_services.h"
#include "boundaries/boundary_selection.h"
#include "gui_win32/win32.h"
#include "gui_win32/win32_services.h"
#include "platform/native_file_system.h"
#include "platform/native_process_runner.h"

namespace routix::gui_win32 {

class frmMain : public app::ConversionUi {
 public:
  // The identifiers of the controls.
  enum Control : int {
    kFrame2 = 100,
    kLabel0,
    kTxtSrc,
    kCmdBrwSrc,
    kLabel1,
    kTxtDst,
    kCmdBrwDst,
    kChkGeo2Shp,
    kChkDat2Shp,
    kFraOperation,
    kCmdGo,
    kCmdExit = IDCANCEL,
    kSttBar = 120,
    kPrbMain,
  };

  // Makes the window, hidden; it closes for good when the user closes it.
  frmMain();
  frmMain(const frmMain&) = delete;
  frmMain& operator=(const frmMain&) = delete;
  ~frmMain() override;

  HWND handle() const { return hwnd_; }  // nullptr once the window is closed

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

  const boundaries::BoundarySelection& selected_boundaries() const { return selected_boundaries_; }

 private:
  static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  INT_PTR HandleMessage(UINT message, WPARAM wparam, LPARAM lparam);
  void OnInitDialog();
  void OnCommand(int id, int code);
  void OnGoClicked();
  void OnBrowseSourceClicked();
  void OnBoundaryBoxClicked();
  void OnFieldKillFocus(int id);
  bool OnSetCursor();
  void Close();
  HWND Control(int id) const { return GetDlgItem(hwnd_, id); }

  HWND hwnd_ = nullptr;
  Win32ProgressBar progress_;
  Win32StatusPanel status_;
  Win32Yielder yield_{progress_};
  platform::NativeFileSystem native_files_;
  base::FileSystemService files_{native_files_};
  base::SystemClock clock_;
  platform::NativeProcessRunner processes_;
  base::ProgramServices services_;
  boundaries::BoundarySelection selected_boundaries_;
  bool running_ = false;
  bool close_pending_ = false;
  bool busy_ = false;
};

}  // namespace routix::gui_win32
