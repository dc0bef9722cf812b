#include "gui_win32/frm_select_bnd.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "gui_win32/window_text.h"
#include "window_driver.h"

namespace routix::gui_win32 {
namespace {

using Rows = std::vector<boundaries::ListedBoundary>;
using testing::ModalAnswerer;

// The ticked ordinals, the shape type and the output mode: "1,3 type 3, one per boundary".
std::string Settings(const boundaries::BoundarySelection& selection) {
  std::string text;
  for (const std::string& ordinal : selection.col_return)
    text += (text.empty() ? "" : ",") + ordinal;
  return text + " type " + std::to_string(selection.boundary_shape_type) +
         (selection.one_file_per_boundary ? ", one per boundary" : ", one set");
}

std::wstring ItemText(HWND list, int item, int column) {
  std::wstring text(80, L'\0');
  LVITEMW request = {};
  request.iSubItem = column;
  request.pszText = text.data();
  request.cchTextMax = static_cast<int>(text.size());
  text.resize(static_cast<size_t>(SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(item),
                                               reinterpret_cast<LPARAM>(&request))));
  return text;
}

// "ID|Description|Nodes #|ticked", the description as the list shows it.
std::wstring Row(HWND list, int item) {
  return ItemText(list, item, 0) + L"|" + ItemText(list, item, 1) + L"|" + ItemText(list, item, 2) +
         L"|" + (ListView_GetCheckState(list, item) ? L"x" : L"");
}

// Opens the dialog on rows, lets act work on each modal window it meets, and gives back what
// the dialog handed over.
boundaries::BoundarySelection RunDialog(const Rows& rows,
                                        const boundaries::BoundarySelection& previous,
                                        const std::function<void(HWND)>& act) {
  HWND owner = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr, nullptr,
                               nullptr);
  frmSelectBnd dialog(rows, previous);
  ModalAnswerer answer(act);
  boundaries::BoundarySelection result = dialog.Run(owner);
  DestroyWindow(owner);
  return result;
}

TEST(FrmSelectBnd, ListsItsRowsAllTickedAndCountsTheTicks) {
  std::vector<std::wstring> rows;
  std::vector<std::string> captions, menu;
  std::vector<int> tab_order;
  int step = 0;
  RunDialog({{1, "North", "4"}, {4, "Z\xFCrich \x80", "12"}}, {}, [&](HWND modal) {
    if (testing::IsPopupMenu(modal)) {
      HMENU items = reinterpret_cast<HMENU>(SendMessageA(modal, MN_GETHMENU, 0, 0));
      for (int i = 0; i < GetMenuItemCount(items); ++i) {
        std::string text(32, '\0');
        text.resize(static_cast<size_t>(
            GetMenuStringA(items, static_cast<UINT>(i), text.data(), 32, MF_BYPOSITION)));
        menu.push_back(text);
      }
      for (UINT key : {VK_DOWN, VK_DOWN, VK_RETURN}) {  // Deselect All
        PostMessageA(modal, WM_KEYDOWN, key, 1);
      }
      return;
    }
    HWND list = GetDlgItem(modal, frmSelectBnd::kLstBnd);
    HWND frame = GetDlgItem(modal, frmSelectBnd::kFraSelectBnd);
    if (step == 0) {
      for (int i = 0; i < ListView_GetItemCount(list); ++i) rows.push_back(Row(list, i));
      for (HWND control = list; tab_order.size() < 6;
           control = GetNextDlgTabItem(modal, control, FALSE)) {
        tab_order.push_back(GetDlgCtrlID(control));
      }
      captions.push_back(WindowText(frame));
      PostMessageA(list, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(list), -1);  // the menu key
    } else if (step == 1) {
      captions.push_back(WindowText(frame));
      ListView_SetCheckState(list, 1, TRUE);
      captions.push_back(WindowText(frame));
      testing::PressButton(modal, IDCANCEL);
    }
    ++step;
  });
  EXPECT_EQ(rows, (std::vector<std::wstring>{L"1|North|4|x", L"4|Z\u00FCrich \u20AC|12|x"}));
  EXPECT_EQ(tab_order, (std::vector<int>{frmSelectBnd::kLstBnd, frmSelectBnd::kOptPolyType0,
                                         frmSelectBnd::kCmdOK, frmSelectBnd::kOptOutType0,
                                         frmSelectBnd::kCmdCancel, frmSelectBnd::kLstBnd}));
  EXPECT_EQ(menu, (std::vector<std::string>{"Select All", "Deselect All"}));
  EXPECT_EQ(captions, (std::vector<std::string>{"Selected: 2 boundaries", "Selected: 0 boundary",
                                                "Selected: 1 boundary"}));
}

TEST(FrmSelectBnd, OkHandsBackTheTicksAndSettingsCancelAndCloseKeepTheEarlierSettings) {
  const Rows rows = {{1, "North", "4"}, {2, "South", "5"}, {3, "East", "6"}};
  boundaries::BoundarySelection previous{{}, 5, false};

  boundaries::BoundarySelection ok = RunDialog(rows, previous, [](HWND dialog) {
    ListView_SetCheckState(GetDlgItem(dialog, frmSelectBnd::kLstBnd), 1, FALSE);
    testing::PostClick(GetDlgItem(dialog, frmSelectBnd::kOptPolyType1));
    testing::PostClick(GetDlgItem(dialog, frmSelectBnd::kOptOutType1));
    SetFocus(GetDlgItem(dialog, frmSelectBnd::kLstBnd));
    testing::PostKey(VK_RETURN);  // OK is the default button
  });
  EXPECT_EQ(Settings(ok), "1,3 type 3, one per boundary");

  boundaries::BoundarySelection cancelled = RunDialog(rows, ok, [](HWND dialog) {
    testing::PostClick(GetDlgItem(dialog, frmSelectBnd::kOptPolyType0));
    SetFocus(GetDlgItem(dialog, frmSelectBnd::kLstBnd));
    testing::PostKey(VK_ESCAPE);
  });
  EXPECT_EQ(Settings(cancelled), " type 3, one per boundary");

  boundaries::BoundarySelection closed = RunDialog(
      rows, ok, [](HWND dialog) { PostMessageA(dialog, WM_CLOSE, 0, 0); });  // the close box
  EXPECT_EQ(Settings(closed), " type 3, one per boundary");

  boundaries::BoundarySelection defaults = RunDialog(rows, ok, [](HWND dialog) {
    testing::PressButton(dialog, IDOK);  // each opening starts from the defaults
  });
  EXPECT_EQ(Settings(defaults), "1,2,3 type 5, one set");
}

}  // namespace
}  // namespace routix::gui_win32
