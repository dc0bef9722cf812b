#include "gui/program_icon.h"

// The resource lives in a static library, whose registration a program links in only when
// something names it; Q_INIT_RESOURCE does, and works only outside a namespace.
static void RegisterIconResource() { Q_INIT_RESOURCE(routix2shp); }

namespace routix::gui {

QIcon ProgramIcon() {
  RegisterIconResource();
  return QIcon(QStringLiteral(":/routix2shp.svg"));
}

}  // namespace routix::gui
