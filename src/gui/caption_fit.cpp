#include "gui/caption_fit.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QStyle>

namespace routix::gui {
namespace {

using Widgets = std::initializer_list<FormWidget>;

// The width the widget's caption needs, as the widget and its style reckon it; 0 without a
// caption.
int NeededWidth(const QWidget* widget) {
  if (const auto* label = qobject_cast<const QLabel*>(widget)) {
    // A label that wraps needs its longest word.
    return label->wordWrap() ? label->minimumSizeHint().width() : label->sizeHint().width();
  }
  if (const auto* box = qobject_cast<const QGroupBox*>(widget)) {
    return box->title().isEmpty() ? 0 : box->minimumSizeHint().width();
  }
  if (const auto* button = qobject_cast<const QPushButton*>(widget)) {
    // Not the size hint: it holds a style's least width of a button, not its caption's.
    const QStyle* style = button->style();
    return button->fontMetrics().horizontalAdvance(button->text().remove(u'&')) +
           2 * (style->pixelMetric(QStyle::PM_ButtonMargin, nullptr, button) +
                style->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, button));
  }
  if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) {
    return button->sizeHint().width();
  }
  return 0;
}

int Right(const QWidget* widget) { return widget->x() + widget->width(); }

// Moves the widgets in container that begin at or right of x by extra pixels and widens
// those that reach across x, except grown, which has grown already.
void MakeRoomIn(const QWidget* container, int x, int extra, Widgets widgets, const QWidget* grown) {
  for (const FormWidget& child : widgets) {
    QWidget* widget = child.widget;
    if (widget->parentWidget() != container || widget == grown) continue;
    if (widget->x() >= x) {
      widget->move(widget->x() + extra, widget->y());
    } else if (Right(widget) >= x) {
      widget->resize(widget->width() + extra, widget->height());
      MakeRoomIn(widget, (widget->width() - extra) / 2, extra, widgets, nullptr);
    }
  }
}

// Widens widget by extra pixels, and its containers up to the form with it.
void Widen(QWidget* form, QWidget* widget, int extra, Widgets widgets) {
  widget->resize(widget->width() + extra, widget->height());
  for (QWidget* grown = widget; grown != form; grown = grown->parentWidget()) {
    QWidget* container = grown->parentWidget();
    MakeRoomIn(container, Right(grown) - extra, extra, widgets, grown);
    if (container != form) container->resize(container->width() + extra, container->height());
  }
  form->setFixedSize(form->width() + extra, form->height());
}

// The right edge of widget in the form's coordinates.
int RightInForm(const QWidget* form, const QWidget* widget) {
  return widget->mapTo(form, QPoint(widget->width(), 0)).x();
}

}  // namespace

void FitCaptions(QWidget* form, Widgets widgets) {
  // The leftmost control that lacks room first: the room it gets may be all that a control
  // further right lacks.
  while (true) {
    QWidget* short_of_room = nullptr;
    for (const FormWidget& candidate : widgets) {
      QWidget* widget = candidate.widget;
      if (NeededWidth(widget) > widget->width() &&
          (short_of_room == nullptr ||
           RightInForm(form, widget) < RightInForm(form, short_of_room))) {
        short_of_room = widget;
      }
    }
    if (short_of_room == nullptr) return;
    Widen(form, short_of_room, NeededWidth(short_of_room) - short_of_room->width(), widgets);
  }
}

}  // namespace routix::gui
