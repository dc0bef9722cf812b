// Answers the modal windows a test opens: every few milliseconds it hands the current modal
// window (a message box, a dialog) to the test's callback, which records it and closes it,
// so that code that waits in a modal loop goes on. Message boxes show plain text: one that
// would read its text as markup is recorded as "(markup) " and its text.
#pragma once

#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <functional>
#include <string>
#include <vector>

namespace routix::testing {

class ModalAnswerer {
 public:
  // Without a callback, a message box is answered with its first button and its text kept.
  explicit ModalAnswerer(std::function<void(QWidget*)> answer = {}) : answer_(std::move(answer)) {
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      QWidget* modal = QApplication::activeModalWidget();
      if (modal == nullptr || !modal->isVisible()) return;
      if (answer_) {
        answer_(modal);
      } else if (auto* box = qobject_cast<QMessageBox*>(modal)) {
        texts.push_back((box->textFormat() == Qt::PlainText ? "" : "(markup) ") +
                        box->text().toStdString());
        box->buttons().front()->click();
      }
    });
    timer_.start(5);
  }

  std::vector<std::string> texts;

 private:
  std::function<void(QWidget*)> answer_;
  QTimer timer_;
};

}  // namespace routix::testing
