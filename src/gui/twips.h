// Places given in twips (1440 to the inch) turned into pixels with the screen's logical DPI,
// so that a layout drawn in twips keeps its proportions on every screen; and the building of
// a form's controls from its description.
#pragma once

#include <QRect>
#include <QWidget>
#include <initializer_list>
#include <string_view>

#include "app/form_description.h"

namespace routix::gui {

inline constexpr double kTwipsPerInch = 1440.0;

// The size of a client area given in twips, in pixels of widget's screen.
QSize SizeInTwips(const QWidget* widget, int width, int height);

// One widget of a form and the name the form description gives it.
struct FormWidget {
  QWidget* widget;
  std::string_view name;
};

// Sets up form as description says: the size of its client area, each widget's object name,
// caption (shown by frames, labels and buttons) and place in its parent, widened where the
// caption does not fit the form's font (FitCaptions), the default button, the tab order, and
// the focus on the first control of the tab order. The form's font and the widgets' word wrap
// are set before.
void BuildForm(QWidget* form, const app::FormDescription& description,
               std::initializer_list<FormWidget> widgets);

}  // namespace routix::gui
