// The tidying of the main window's two path fields when they lose the focus: surrounding
// spaces go, separator runs collapse, one trailing separator goes, and the destination gets
// ".shp" unless it already ends in exactly ".shp". The command line tidies its destination
// the same way.
#pragma once

#include <string>
#include <string_view>

namespace routix::app {

std::string TidyServerFolder(std::string_view text);
std::string TidyDestination(std::string_view text);

}  // namespace routix::app
