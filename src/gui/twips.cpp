#include "gui/twips.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <algorithm>
#include <cmath>

#include "gui/caption_fit.h"
#include "gui/qt_text.h"

namespace routix::gui {
namespace {

int Pixels(int twips, int dpi) {
  return static_cast<int>(std::lround(twips * dpi / kTwipsPerInch));
}

QWidget* Named(std::initializer_list<FormWidget> widgets, std::string_view name) {
  auto it = std::find_if(widgets.begin(), widgets.end(),
                         [&](const FormWidget& widget) { return widget.name == name; });
  return it == widgets.end() ? nullptr : it->widget;
}

}  // namespace

QSize SizeInTwips(const QWidget* widget, int width, int height) {
  return QSize(Pixels(width, widget->logicalDpiX()), Pixels(height, widget->logicalDpiY()));
}

void BuildForm(QWidget* form, const app::FormDescription& description,
               std::initializer_list<FormWidget> widgets) {
  form->setFixedSize(SizeInTwips(form, description.width, description.height));
  for (const app::ControlDescription& control : description.controls) {
    QWidget* widget = Named(widgets, control.name);
    if (widget == nullptr) continue;
    widget->setObjectName(QString::fromLatin1(control.name.data(), control.name.size()));
    QString caption = FromLocal(control.caption);
    if (auto* box = qobject_cast<QGroupBox*>(widget)) box->setTitle(caption);
    if (auto* label = qobject_cast<QLabel*>(widget)) label->setText(caption);
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) button->setText(caption);
    if (auto* button = qobject_cast<QPushButton*>(widget)) {
      button->setDefault(control.role == app::ButtonRole::kDefault);
    }
    int x_dpi = widget->logicalDpiX(), y_dpi = widget->logicalDpiY();
    widget->setGeometry(Pixels(control.left, x_dpi), Pixels(control.top, y_dpi),
                        Pixels(control.width, x_dpi), Pixels(control.height, y_dpi));
  }
  FitCaptions(form, widgets);
  const auto& order = description.tab_order;
  for (size_t i = 1; i < order.size(); ++i) {
    QWidget::setTabOrder(Named(widgets, order[i - 1]), Named(widgets, order[i]));
  }
  if (!order.empty()) Named(widgets, order.front())->setFocus(Qt::OtherFocusReason);
}

}  // namespace routix::gui
