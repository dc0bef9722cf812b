#include "gui/qt_services.h"

#include <QCoreApplication>

#include "gui/qt_text.h"

namespace routix::gui {

void QtProgressBar::Sync() {
  if (!dirty_) return;
  dirty_ = false;
  bar_->setMaximum(maximum());
  bar_->setValue(value());
}

void QtStatusPanel::SetText(const std::string& text) { panel_->setText(FromLocal(text)); }

void QtYielder::Yield() {
  if (std::chrono::steady_clock::now() - last_ < kYieldInterval) return;
  YieldNow();
}

void QtYielder::YieldNow() {
  progress_.Sync();
  QCoreApplication::processEvents();
  last_ = std::chrono::steady_clock::now();
}

}  // namespace routix::gui
