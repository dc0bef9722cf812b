// The forms of the Win32 window as their descriptions say. A form is a dialog window, so that
// the dialog manager gives it the tab order, the access keys and the default and cancel
// buttons; its client area and controls are placed in pixels from their twips with the
// screen's logical DPI, in the dialogs' 8-point MS Shell Dlg.
#pragma once

#include <initializer_list>
#include <string_view>
#include <vector>

#include "app/form_description.h"
#include "gui_win32/win32.h"

namespace routix::gui_win32 {

// A control of a form and its identifier. The cancel button has IDCANCEL, the identifier with
// which the dialog manager reports Esc.
struct FormControl {
  std::string_view name;
  int id;
};

// An in-memory template of a dialog with style and no controls: BuildForm makes them.
class DialogTemplate {
 public:
  explicit DialogTemplate(DWORD style);
  const DLGTEMPLATE* get() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

 private:
  std::vector<WORD> words_;
};

// The pixels of a width in twips on this screen.
int PixelsX(int twips);

// Sets up form, a dialog made from a DialogTemplate, as description says: the size of its
// client area, centred on its owner (on the screen when it has none), the program's icon
// (its icon resource 1) in the title bar and the task bar, and each control with
// its caption, place, identifier and the form's font, in the tab order and one option group
// per container; the default button; the focus on the first control of the tab order.
void BuildForm(HWND form, const app::FormDescription& description,
               std::initializer_list<FormControl> controls);

}  // namespace routix::gui_win32
