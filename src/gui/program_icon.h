// The program's icon, packaging/routix2shp.svg built into the program as a Qt resource, for
// the title bars and the task bar; Qt's SVG icon engine (libqt6svg6) draws it at every size.
#pragma once

#include <QIcon>

namespace routix::gui {

QIcon ProgramIcon();

}  // namespace routix::gui
