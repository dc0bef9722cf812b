// The paths the conversion driver builds from the Server folder S and the destination D as
// the fields hold them: the boundary data files, the DYN folder in the messages and for the
// conversion, the combined boundary output and its deletion pattern, the export marker.
#pragma once

#include <string>

namespace routix::app {

std::string BoundaryDataFile(const std::string& server_folder);        // S\DYN\Rxybnd.dat
std::string BoundaryExtensionFile(const std::string& server_folder);   // S\DYN\Rxybxt.dat
std::string DynFolderForMessage(const std::string& server_folder);     // S\DYN\, normalised
std::string DynFolderForConversion(const std::string& server_folder);  // S\DYN, as joined
// The main file of the combined output, F(D)\Bnd_<base of D>.shp: C:\out\roads.shp and
// C:\out\roads both give C:\out\Bnd_roads.shp.
std::string CombinedOutput(const std::string& destination);
// Every file of the combined output: F(D)\Bnd_<base of D>.*
std::string CombinedOutputPattern(const std::string& destination);
std::string ExportMarker(const std::string& server_folder);  // S\DYN\Mapfil.asc

}  // namespace routix::app
