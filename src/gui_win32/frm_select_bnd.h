// frmSelectBnd, "Boundary Setting", on the Win32 API: the modal dialog in which the user picks
// boundaries and the form of the output. Run() lists the rows it was given in a list view
// with check boxes, all ticked, with the options at their defaults, and gives back the
// BoundarySelection: the ticked ordinals and the chosen settings on OK; no ordinal and the
// settings it was given on Cancel, Esc or close.
#pragma once

#include <vector>

#include "boundaries/boundary_list.h"
#include "boundaries/boundary_selection.h"
#include "gui_win32/win32.h"

namespace routix::gui_win32 {

class frmSelectBnd {
 public:
  // The identifiers of the controls and of the list's context menu.
  enum Control : int {
    kFraSelectBnd = 100,
    kLstBnd,
    kFrame1,
    kOptPolyType0,
    kOptPolyType1,
    kFrame3,
    kOptOutType0,
    kOptOutType1,
    kMnuSelectAll,
    kMnuDeselectAll,
    kCmdOK = IDOK,
    kCmdCancel = IDCANCEL,
  };

  // previous: the settings kept from earlier runs of the dialog.
  frmSelectBnd(const std::vector<boundaries::ListedBoundary>& rows,
               const boundaries::BoundarySelection& previous);

  // Shows the dialog modally over owner and gives its result.
  boundaries::BoundarySelection Run(HWND owner);

 private:
  static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  INT_PTR HandleMessage(UINT message, WPARAM wparam, LPARAM lparam);
  void OnInitDialog();
  void OnCommand(int id);
  void OnItemChanged(const NMLISTVIEW& change);
  void OnContextMenu(LPARAM at);
  void OnOkClicked();
  void SetAllTicked(bool ticked);
  void UpdateSelectedCount();
  HWND Control(int id) const { return GetDlgItem(hwnd_, id); }

  const std::vector<boundaries::ListedBoundary>& rows_;
  boundaries::BoundarySelection result_;
  HWND hwnd_ = nullptr;
  bool quiet_ = false;  // while every item is ticked or unticked at once
};

}  // namespace routix::gui_win32
