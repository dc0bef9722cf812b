#include "gui/qt_text.h"

#include "base/cp1252.h"

namespace routix::gui {

QString FromLocal(std::string_view text) {
  QString result = QString::fromLocal8Bit(text.data(), static_cast<qsizetype>(text.size()));
  result.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  return result;
}

std::string ToLocal(const QString& text) { return text.toLocal8Bit().toStdString(); }

QString FromCp1252(const std::string& text) {
  return QString::fromStdString(base::Cp1252ToUtf8(text));
}

}  // namespace routix::gui
