#include "gui/twips.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <cmath>

namespace routix::gui {
namespace {

int Pixels(int twips, int dpi) {
  return static_cast<int>(std::lround(twips * dpi / kTwipsPerInch));
}

}  // namespace

void PlaceInTwips(QWidget* widget, int left, int top, int width, int height) {
  int x_dpi = widget->logicalDpiX(), y_dpi = widget->logicalDpiY();
  widget->setGeometry(Pixels(left, x_dpi), Pixels(top, y_dpi), Pixels(width, x_dpi),
                      Pixels(height, y_dpi));
}

QSize SizeInTwips(const QWidget* widget, int width, int height) {
  return QSize(Pixels(width, widget->logicalDpiX()), Pixels(height, widget->logicalDpiY()));
}

void PlaceControls(std::initializer_list<ControlPlace> controls) {
  for (const ControlPlace& control : controls) {
    control.widget->setObjectName(control.name);
    if (auto* box = qobject_cast<QGroupBox*>(control.widget)) box->setTitle(control.caption);
    if (auto* label = qobject_cast<QLabel*>(control.widget)) label->setText(control.caption);
    if (auto* button = qobject_cast<QAbstractButton*>(control.widget)) {
      button->setText(control.caption);
    }
    PlaceInTwips(control.widget, control.left, control.top, control.width, control.height);
  }
}

}  // namespace routix::gui
