// Text operations on paths: NormalizePath collapses the doubled separators that joining
// produces, FolderOfPath and FileNameOfPath split a path at its last non-empty component.
// None of them touches the file system. The separator is one character, the platform's own
// unless given; every other character, the other slash included, is ordinary.
#pragma once

#include <string>
#include <string_view>

#include "base/system_paths.h"

namespace routix::base {

// Collapses every run of separators to one. A path that is empty, only spaces, or one
// separator between spaces gives the empty string; other spaces stay. With the backslash as
// separator a leading pair before a name (\\server\share) is a network path and stays a pair.
std::string NormalizePath(std::string_view path, char separator = base::kNativeSeparator);

// Everything before the last non-empty component and the separator in front of it; a
// trailing separator of the path stays in the result. A path without a separator before its
// last component gives the empty string.
std::string FolderOfPath(std::string_view path, char separator = base::kNativeSeparator);

// The last non-empty component: the last one, or the one before it when the path ends in a
// separator.
std::string FileNameOfPath(std::string_view path, char separator = base::kNativeSeparator);

// A join literal written with backslashes ("\DYN\Rxybnd.dat") in the separator's form, the
// platform's own unless given.
std::string NativeSeparators(std::string_view literal, char separator = base::kNativeSeparator);

// name inside folder: the two joined by one separator; name alone for an empty folder.
std::string JoinPath(std::string_view folder, std::string_view name,
                     char separator = base::kNativeSeparator);

// The text without its leading and trailing space characters (only the space).
std::string_view TrimSpaces(std::string_view text);

// Whether text ends in ending, the letters A to Z taken as a to z ("roads.SHP", ".shp").
bool EndsWithAnyCase(std::string_view text, std::string_view ending);

}  // namespace routix::base
