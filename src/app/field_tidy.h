// The tidying of the main window's two path fields when they lose the focus: surrounding
// spaces go, separator runs collapse, one trailing separator goes, and the destination gets
// ".shp" unless it already ends in ".shp" in any case. Where the separator is the backslash,
// as on Windows, a slash counts as one too and the name loses the trailing dots and blanks
// that Windows drops from it. The command line tidies its destination the same way.
#pragma once

#include <string>
#include <string_view>

#include "base/system_paths.h"

namespace routix::app {

std::string TidyServerFolder(std::string_view text, char separator = base::kNativeSeparator);
std::string TidyDestination(std::string_view text, char separator = base::kNativeSeparator);

}  // namespace routix::app
