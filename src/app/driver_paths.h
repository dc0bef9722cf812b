// The paths the driver builds from the Server folder S as the field holds it: the boundary
// data files, the DYN folder for the selection, for the messages and for the conversion, and
// the export marker.
#pragma once

#include <string>

namespace routix::app {

std::string BoundaryDataFile(const std::string& server_folder);        // S\DYN\Rxybnd.dat
std::string BoundaryExtensionFile(const std::string& server_folder);   // S\DYN\Rxybxt.dat
std::string DynFolder(const std::string& server_folder);               // S\DYN, normalised
std::string DynFolderForMessage(const std::string& server_folder);     // S\DYN\, normalised
std::string DynFolderForConversion(const std::string& server_folder);  // S\DYN, as joined
std::string ExportMarker(const std::string& server_folder);            // S\DYN\Mapfil.asc

}  // namespace routix::app
