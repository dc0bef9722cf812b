// Places given in twips (1440 to the inch) turned into pixels with the screen's logical DPI,
// so that a layout drawn in twips keeps its proportions on every screen; and the setting up
// of a form's controls from a table of names, captions and places.
#pragma once

#include <QRect>
#include <QWidget>
#include <initializer_list>

namespace routix::gui {

inline constexpr double kTwipsPerInch = 1440.0;

// Sets the widget's place inside its parent: left, top, width, height in twips.
void PlaceInTwips(QWidget* widget, int left, int top, int width, int height);
// The size of a client area given in twips, in pixels of widget's screen.
QSize SizeInTwips(const QWidget* widget, int width, int height);

// One control of a form: its object name, its caption, its place in twips in its parent.
struct ControlPlace {
  QWidget* widget;
  const char* name;
  const char* caption;  // shown by frames, labels and buttons
  int left, top, width, height;
};

void PlaceControls(std::initializer_list<ControlPlace> controls);

}  // namespace routix::gui
