#include "gui_win32/win32_form.h"

#include <algorithm>
#include <string>

#include "platform/windows/wide_text.h"

namespace routix::gui_win32 {
namespace {

using app::ControlDescription;
using app::ControlKind;

constexpr int kTwipsPerInch = 1440;
constexpr WORD kFontPoints = 8;
constexpr char kFontName[] = "MS Sans Serif";

struct Dpi {
  int x, y;
};

Dpi ScreenDpi() {
  HDC screen = GetDC(nullptr);
  Dpi dpi{GetDeviceCaps(screen, LOGPIXELSX), GetDeviceCaps(screen, LOGPIXELSY)};
  ReleaseDC(nullptr, screen);
  return dpi;
}

int Pixels(int twips, int dpi) { return MulDiv(twips, dpi, kTwipsPerInch); }

const ControlDescription* Described(const app::FormDescription& description,
                                    std::string_view name) {
  for (const ControlDescription& control : description.controls) {
    if (control.name == name) return &control;
  }
  return nullptr;
}

// The dialog manager's tab order is the order of creation: the controls of the tab order
// first, then the others, each later one of the description lying over the earlier ones (the
// progress bar over the status bar, the controls of a frame over the frame).
std::vector<const ControlDescription*> CreationOrder(const app::FormDescription& description) {
  std::vector<const ControlDescription*> order;
  for (std::string_view name : description.tab_order) order.push_back(Described(description, name));
  for (auto it = description.controls.rbegin(); it != description.controls.rend(); ++it) {
    if (std::find(order.begin(), order.end(), &*it) == order.end()) order.push_back(&*it);
  }
  return order;
}

// Where a control's container puts it: the containers' places added up.
POINT ContainerOrigin(const app::FormDescription& description, std::string_view container) {
  POINT origin{0, 0};
  for (const ControlDescription* frame = Described(description, container); frame != nullptr;
       frame = Described(description, frame->container)) {
    origin.x += frame->left;
    origin.y += frame->top;
  }
  return origin;
}

struct WindowKind {
  const wchar_t* class_name;
  DWORD style;
  DWORD ex_style;
};

// An option button starts a group unless the one before it in the tab order is an option
// button of the same frame; the first option of a group is its tab stop.
WindowKind KindOf(const ControlDescription& control, bool starts_group) {
  const DWORD group = starts_group ? WS_GROUP : 0;
  switch (control.kind) {
    case ControlKind::kFrame:
      return {L"BUTTON", BS_GROUPBOX | group, 0};
    case ControlKind::kLabel:
      return {L"STATIC", SS_LEFT | group, 0};
    case ControlKind::kTextBox:
      return {L"EDIT", ES_AUTOHSCROLL | WS_TABSTOP | group, WS_EX_CLIENTEDGE};
    case ControlKind::kButton:
      return {L"BUTTON",
              (control.role == app::ButtonRole::kDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) |
                  WS_TABSTOP | group,
              0};
    case ControlKind::kCheckBox:
      return {L"BUTTON", BS_AUTOCHECKBOX | WS_TABSTOP | group, 0};
    case ControlKind::kOptionButton:
      return {L"BUTTON", BS_AUTORADIOBUTTON | (starts_group ? DWORD{WS_GROUP | WS_TABSTOP} : 0), 0};
    case ControlKind::kListView:
      return {WC_LISTVIEWW,
              LVS_REPORT | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER | WS_TABSTOP | WS_BORDER | group,
              0};
    case ControlKind::kStatusBar:
      return {STATUSCLASSNAMEW, CCS_NOPARENTALIGN | CCS_NORESIZE | group, 0};
    case ControlKind::kProgressBar:
      return {PROGRESS_CLASSW, group, 0};
  }
  return {L"STATIC", group, 0};
}

// The form's client area in pixels, the form centred on its owner or on the screen.
void PlaceForm(HWND form, const app::FormDescription& description, Dpi dpi) {
  RECT frame{0, 0, Pixels(description.width, dpi.x), Pixels(description.height, dpi.y)};
  AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongW(form, GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongW(form, GWL_EXSTYLE)));
  const int width = frame.right - frame.left, height = frame.bottom - frame.top;
  RECT area;
  HWND owner = GetWindow(form, GW_OWNER);
  if (owner != nullptr) {
    GetWindowRect(owner, &area);
  } else {
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
  }
  SetWindowPos(form, nullptr, std::max<LONG>(0, (area.left + area.right - width) / 2),
               std::max<LONG>(0, (area.top + area.bottom - height) / 2), width, height,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

// The icon resource that every program showing the window carries.
constexpr WORD kProgramIcon = 1;

// The program's icon in the sizes of the title bar and of the task bar and Alt+Tab; nothing
// where the program has none.
void ShowProgramIcon(HWND form) {
  const struct {
    WPARAM kind;
    int width_metric, height_metric;
  } kSizes[] = {{ICON_SMALL, SM_CXSMICON, SM_CYSMICON}, {ICON_BIG, SM_CXICON, SM_CYICON}};
  for (const auto& size : kSizes) {
    HANDLE icon = LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kProgramIcon), IMAGE_ICON,
                             GetSystemMetrics(size.width_metric),
                             GetSystemMetrics(size.height_metric), LR_SHARED);
    if (icon != nullptr) SendMessageW(form, WM_SETICON, size.kind, reinterpret_cast<LPARAM>(icon));
  }
}

}  // namespace

DialogTemplate::DialogTemplate(DWORD style) {
  style |= DS_SETFONT;
  words_ = {LOWORD(style), HIWORD(style), 0, 0};  // style, no extended style
  words_.push_back(0);                            // no control
  words_.insert(words_.end(), {0, 0, 0, 0});      // place and size: BuildForm sets them
  words_.insert(words_.end(), {0, 0, 0});         // no menu, the dialog class, no title
  words_.push_back(kFontPoints);
  for (char c : kFontName) words_.push_back(static_cast<WORD>(c));  // with its NUL
}

int PixelsX(int twips) { return Pixels(twips, ScreenDpi().x); }

void BuildForm(HWND form, const app::FormDescription& description,
               std::initializer_list<FormControl> controls) {
  const Dpi dpi = ScreenDpi();
  PlaceForm(form, description, dpi);
  ShowProgramIcon(form);
  HINSTANCE instance = GetModuleHandleW(nullptr);
  const WPARAM font = static_cast<WPARAM>(SendMessageW(form, WM_GETFONT, 0, 0));
  const ControlDescription* previous = nullptr;
  for (const ControlDescription* control : CreationOrder(description)) {
    auto it = std::find_if(controls.begin(), controls.end(),
                           [&](const FormControl& known) { return known.name == control->name; });
    const int id = it == controls.end() ? 0 : it->id;
    const bool in_group = previous != nullptr && control->kind == ControlKind::kOptionButton &&
                          previous->kind == ControlKind::kOptionButton &&
                          previous->container == control->container;
    previous = control;
    const WindowKind kind = KindOf(*control, !in_group);
    const POINT origin = ContainerOrigin(description, control->container);
    const std::wstring caption = platform::Widen(control->caption);
    HWND window = CreateWindowExW(
        kind.ex_style, kind.class_name, caption.c_str(),
        WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | kind.style,
        Pixels(origin.x + control->left, dpi.x), Pixels(origin.y + control->top, dpi.y),
        Pixels(control->width, dpi.x), Pixels(control->height, dpi.y), form,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
    SendMessageW(window, WM_SETFONT, font, FALSE);
    if (control->kind == ControlKind::kListView) {
      SendMessageW(window, LVM_SETEXTENDEDLISTVIEWSTYLE, 0,
                   LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
    }
    if (control->kind == ControlKind::kStatusBar) {
      int one_panel = -1;  // panel 1 takes the whole bar
      SendMessageW(window, SB_SETPARTS, 1, reinterpret_cast<LPARAM>(&one_panel));
    }
    if (control->role == app::ButtonRole::kDefault) SendMessageW(form, DM_SETDEFID, id, 0);
  }
  for (const FormControl& control : controls) {
    if (description.tab_order.empty() || control.name != description.tab_order.front()) continue;
    SendMessageW(form, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(form, control.id)), TRUE);
  }
}

}  // namespace routix::gui_win32
