#include "app/driver_paths.h"

#include "base/path_utils.h"
#include "shapefile/shapefile_name.h"

namespace routix::app {
namespace {

using base::FileNameOfPath;
using base::FolderOfPath;
using base::NativeSeparators;
using base::NormalizePath;

std::string CombinedBase(const std::string& destination) {
  return FolderOfPath(destination) + NativeSeparators("\\Bnd_") +
         shapefile::ShapefileBaseName(FileNameOfPath(destination));
}

}  // namespace

std::string BoundaryDataFile(const std::string& server_folder) {
  return NormalizePath(server_folder + NativeSeparators("\\DYN\\Rxybnd.dat"));
}

std::string BoundaryExtensionFile(const std::string& server_folder) {
  return NormalizePath(server_folder + NativeSeparators("\\DYN\\Rxybxt.dat"));
}

std::string DynFolderForMessage(const std::string& server_folder) {
  return NormalizePath(server_folder + NativeSeparators("\\DYN\\"));
}

std::string DynFolderForConversion(const std::string& server_folder) {
  return server_folder + NativeSeparators("\\DYN");
}

std::string CombinedOutput(const std::string& destination) {
  return NormalizePath(CombinedBase(destination) + ".shp");
}

std::string CombinedOutputPattern(const std::string& destination) {
  return NormalizePath(CombinedBase(destination)) + ".*";
}

std::string ExportMarker(const std::string& server_folder) {
  return NormalizePath(server_folder + NativeSeparators("\\DYN\\Mapfil.asc"));
}

}  // namespace routix::app
