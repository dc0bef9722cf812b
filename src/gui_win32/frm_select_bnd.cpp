#include "gui_win32/frm_select_bnd.h"

#include <memory>
#include <string>
#include <type_traits>

#include "app/form_description.h"
#include "app/messages.h"
#include "gui_win32/win32_form.h"
#include "gui_win32/window_text.h"
#include "platform/windows/wide_text.h"

namespace routix::gui_win32 {
namespace {

constexpr DWORD kDialogStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;

struct MenuDestroyer {
  void operator()(HMENU menu) const { DestroyMenu(menu); }
};
using Menu = std::unique_ptr<std::remove_pointer_t<HMENU>, MenuDestroyer>;

}  // namespace

frmSelectBnd::frmSelectBnd(const std::vector<boundaries::ListedBoundary>& rows,
                           const boundaries::BoundarySelection& previous)
    : rows_(rows) {
  result_.boundary_shape_type = previous.boundary_shape_type;
  result_.one_file_per_boundary = previous.one_file_per_boundary;
}

boundaries::BoundarySelection frmSelectBnd::Run(HWND owner) {
  static const DialogTemplate kTemplate(kDialogStyle);
  DialogBoxIndirectParamW(GetModuleHandleW(nullptr), kTemplate.get(), owner, DialogProc,
                          reinterpret_cast<LPARAM>(this));
  return result_;
}

INT_PTR CALLBACK frmSelectBnd::DialogProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_INITDIALOG) {
    SetWindowLongPtrW(window, DWLP_USER, lparam);
    reinterpret_cast<frmSelectBnd*>(lparam)->hwnd_ = window;
  }
  auto* dialog = reinterpret_cast<frmSelectBnd*>(GetWindowLongPtrW(window, DWLP_USER));
  return dialog == nullptr ? FALSE : dialog->HandleMessage(message, wparam, lparam);
}

INT_PTR frmSelectBnd::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_INITDIALOG:
      OnInitDialog();
      return FALSE;  // the focus is set
    case WM_COMMAND:
      OnCommand(LOWORD(wparam));
      return TRUE;
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lparam);
      if (header->idFrom == kLstBnd && header->code == LVN_ITEMCHANGED) {
        OnItemChanged(*reinterpret_cast<const NMLISTVIEW*>(lparam));
      }
      return FALSE;
    }
    case WM_CONTEXTMENU:
      if (reinterpret_cast<HWND>(wparam) != Control(kLstBnd)) return FALSE;
      OnContextMenu(lparam);
      return TRUE;
    default:
      return FALSE;
  }
}

void frmSelectBnd::OnInitDialog() {
  SetText(hwnd_, std::string(app::kBoundarySettingTitle));
  BuildForm(hwnd_, app::kSelectBoundaryForm,
            {{"fraSelectBnd", kFraSelectBnd},
             {"lstBnd", kLstBnd},
             {"Frame1", kFrame1},
             {"optPolyType0", kOptPolyType0},
             {"optPolyType1", kOptPolyType1},
             {"Frame3", kFrame3},
             {"optOutType0", kOptOutType0},
             {"optOutType1", kOptOutType1},
             {"cmdOK", kCmdOK},
             {"cmdCancel", kCmdCancel}});

  HWND list = Control(kLstBnd);
  int column_index = 0;
  for (const app::ColumnDescription& description : app::kBoundaryColumns) {
    std::wstring caption = platform::Widen(description.caption);
    LVCOLUMNW column = {};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.cx = PixelsX(description.width);
    column.pszText = caption.data();
    SendMessageW(list, LVM_INSERTCOLUMNW, static_cast<WPARAM>(column_index++),
                 reinterpret_cast<LPARAM>(&column));
  }
  quiet_ = true;
  SendMessageW(list, LVM_SETITEMCOUNT, rows_.size(), 0);
  int index = 0;
  for (const boundaries::ListedBoundary& row : rows_) {
    std::wstring ordinal = std::to_wstring(row.ordinal);
    LVITEMW item = {};
    item.mask = LVIF_TEXT;
    item.iItem = index;
    item.pszText = ordinal.data();
    SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    std::wstring description = WideFromCp1252(row.description);
    LVITEMW text = {};
    text.iSubItem = 1;
    text.pszText = description.data();
    SendMessageW(list, LVM_SETITEMTEXTW, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(&text));
    std::wstring node_count = platform::Widen(row.node_count);
    LVITEMW nodes = {};
    nodes.iSubItem = 2;
    nodes.pszText = node_count.data();
    SendMessageW(list, LVM_SETITEMTEXTW, static_cast<WPARAM>(index++),
                 reinterpret_cast<LPARAM>(&nodes));
  }
  quiet_ = false;

  CheckRadioButton(hwnd_, kOptPolyType0, kOptPolyType1, kOptPolyType0);
  CheckRadioButton(hwnd_, kOptOutType0, kOptOutType1, kOptOutType0);
  SetAllTicked(true);
}

void frmSelectBnd::OnCommand(int id) {
  switch (id) {
    case kCmdOK:
      OnOkClicked();
      break;
    case kCmdCancel:  // also Esc and the close box
      EndDialog(hwnd_, IDCANCEL);
      break;
    case kMnuSelectAll:
      SetAllTicked(true);
      break;
    case kMnuDeselectAll:
      SetAllTicked(false);
      break;
    default:
      break;
  }
}

void frmSelectBnd::OnItemChanged(const NMLISTVIEW& change) {
  if (!quiet_ && (change.uChanged & LVIF_STATE) != 0 &&
      ((change.uNewState ^ change.uOldState) & LVIS_STATEIMAGEMASK) != 0) {
    UpdateSelectedCount();
  }
}

void frmSelectBnd::OnContextMenu(LPARAM at) {
  POINT point{GET_X_LPARAM(at), GET_Y_LPARAM(at)};
  if (at == -1) {  // from the keyboard: at the list's corner
    point = {0, 0};
    ClientToScreen(Control(kLstBnd), &point);
  }
  Menu menu(CreatePopupMenu());
  AppendMenuW(menu.get(), MF_STRING, kMnuSelectAll,
              platform::Widen(app::kSelectAllCaption).c_str());
  AppendMenuW(menu.get(), MF_STRING, kMnuDeselectAll,
              platform::Widen(app::kDeselectAllCaption).c_str());
  TrackPopupMenu(menu.get(), TPM_RIGHTBUTTON, point.x, point.y, 0, hwnd_, nullptr);
}

void frmSelectBnd::OnOkClicked() {
  HWND list = Control(kLstBnd);
  result_.col_return.clear();
  const int count = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    if (!ListView_GetCheckState(list, i)) continue;
    std::wstring text(16, L'\0');
    LVITEMW item = {};
    item.pszText = text.data();
    item.cchTextMax = static_cast<int>(text.size());
    text.resize(static_cast<size_t>(SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(i),
                                                 reinterpret_cast<LPARAM>(&item))));
    result_.col_return.push_back(platform::Narrow(text));
  }
  result_.boundary_shape_type = IsDlgButtonChecked(hwnd_, kOptPolyType0) == BST_CHECKED ? 5 : 3;
  result_.one_file_per_boundary = IsDlgButtonChecked(hwnd_, kOptOutType0) != BST_CHECKED;
  EndDialog(hwnd_, IDOK);
}

void frmSelectBnd::SetAllTicked(bool ticked) {
  quiet_ = true;
  ListView_SetCheckState(Control(kLstBnd), -1, ticked);
  quiet_ = false;
  UpdateSelectedCount();
}

void frmSelectBnd::UpdateSelectedCount() {
  HWND list = Control(kLstBnd);
  const int count = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
  int ticked = 0;
  for (int i = 0; i < count; ++i) ticked += ListView_GetCheckState(list, i) ? 1 : 0;
  SetText(Control(kFraSelectBnd), app::SelectedCount(ticked));
}

}  // namespace routix::gui_win32
