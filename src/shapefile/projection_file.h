// A projection file (.prj) names the coordinate system of a set in one line of well-known
// text (WKT), as a GIS exports it for a layer. ReadProjectionFile reads one and checks that it
// is that: one line, a keyword and its bracketed parameters, the brackets matching outside
// the quoted names. Anything else throws FileError naming the file and what is wrong, so that
// no set is given a coordinate system that a GIS cannot read.
#pragma once

#include <string>

#include "base/file_system.h"

namespace routix::shapefile {

// The file's bytes as they stand, a line end after the WKT included, to be copied beside a
// set; a UTF-8 byte order mark in front goes.
std::string ReadProjectionFile(base::FileSystem& files, const std::string& path);

}  // namespace routix::shapefile
