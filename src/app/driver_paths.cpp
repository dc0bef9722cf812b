#include "app/driver_paths.h"

#include "base/path_utils.h"

namespace routix::app {
namespace {

using base::NativeSeparators;
using base::NormalizePath;

}  // namespace

std::string BoundaryDataFile(const std::string& server_folder) {
  return NormalizePath(server_folder + NativeSeparators("\\DYN\\Rxybnd.dat"));
}

std::string BoundaryExtensionFile(const std::string& server_folder) {
  return NormalizePath(server_folder + NativeSeparators("\\DYN\\Rxybxt.dat"));
}

std::string DynFolder(const std::string& server_folder) {
  return NormalizePath(server_folder + NativeSeparators("\\DYN"));
}

std::string DynFolderForMessage(const std::string& server_folder) {
  return NormalizePath(server_folder + NativeSeparators("\\DYN\\"));
}

std::string DynFolderForConversion(const std::string& server_folder) {
  return server_folder + NativeSeparators("\\DYN");
}

std::string ExportMarker(const std::string& server_folder) {
  return NormalizePath(server_folder + NativeSeparators("\\DYN\\Mapfil.asc"));
}

}  // namespace routix::app
