// The font the windows are laid out for: the layouts come in twips from a desktop whose
// dialogs used 8-point MS Sans Serif. The first family of the list that is installed is
// taken, else the desktop's sans-serif font; where a caption is wider in the font taken, the
// form widens that control (FitCaptions).
#pragma once

#include <QWidget>

namespace routix::gui {

inline constexpr int kWindowFontPoints = 8;

inline void UseWindowFont(QWidget* window) {
  QFont font = window->font();
  font.setFamilies({QStringLiteral("Microsoft Sans Serif"), QStringLiteral("Tahoma"),
                    QStringLiteral("Liberation Sans"), QStringLiteral("Arial")});
  font.setPointSize(kWindowFontPoints);
  window->setFont(font);
}

}  // namespace routix::gui
