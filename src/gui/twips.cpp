#include "gui/twips.h"

#include <cmath>

namespace routix::gui {
namespace {

int Pixels(int twips, int dpi) { return static_cast<int>(std::lround(twips * dpi / kTwipsPerInch)); }

}  // namespace

void PlaceInTwips(QWidget* widget, int left, int top, int width, int height) {
  int x_dpi = widget->logicalDpiX(), y_dpi = widget->logicalDpiY();
  widget->setGeometry(Pixels(left, x_dpi), Pixels(top, y_dpi), Pixels(width, x_dpi),
                      Pixels(height, y_dpi));
}

QSize SizeInTwips(const QWidget* widget, int width, int height) {
  return QSize(Pixels(width, widget->logicalDpiX()), Pixels(height, widget->logicalDpiY()));
}

}  // namespace routix::gui
