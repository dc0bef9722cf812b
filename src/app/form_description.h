// The two forms as every window builds them, so that the Qt and the Win32 window cannot
// drift apart: each control's name, kind, caption, container and place in twips (left, top,
// width, height inside its container), the form's default and cancel buttons, the client
// area of the form and its tab order, and the columns of the boundary list. Captions come
// from messages.h; an ampersand in a caption marks its access key.
#pragma once

#include <span>
#include <string_view>

#include "app/messages.h"

namespace routix::app {

enum class ControlKind {
  kFrame,
  kLabel,
  kTextBox,
  kButton,
  kCheckBox,
  kOptionButton,
  kListView,
  kStatusBar,
  kProgressBar,
};

// Enter presses the default button wherever the focus is, except on another button; Esc
// presses the cancel button.
enum class ButtonRole { kNone, kDefault, kCancel };

struct ControlDescription {
  std::string_view name;
  ControlKind kind;
  std::string_view caption;
  std::string_view container;  // empty: the form itself
  int left, top, width, height;
  ButtonRole role = ButtonRole::kNone;
};

struct FormDescription {
  int width, height;  // the client area
  std::span<const ControlDescription> controls;
  std::span<const std::string_view> tab_order;  // the first control has the focus at start
};

struct ColumnDescription {
  std::string_view caption;
  int width;
};

extern const FormDescription kMainForm;            // frmMain
extern const FormDescription kSelectBoundaryForm;  // frmSelectBnd
// The columns of frmSelectBnd's list lstBnd.
extern const std::span<const ColumnDescription> kBoundaryColumns;

}  // namespace routix::app
