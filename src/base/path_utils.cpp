#include "base/path_utils.h"

namespace routix::base {
namespace {

// The last non-empty component of a non-empty path, as a view into it.
std::string_view LastComponent(std::string_view path, char separator) {
  std::string_view rest = path;
  size_t cut = rest.rfind(separator);
  if (cut == std::string_view::npos) return rest;
  if (cut + 1 < rest.size()) return rest.substr(cut + 1);
  rest.remove_suffix(1);  // the empty last component and its separator
  cut = rest.rfind(separator);
  return cut == std::string_view::npos ? rest : rest.substr(cut + 1);
}

}  // namespace

std::string_view TrimSpaces(std::string_view text) {
  size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  size_t last = text.find_last_not_of(' ');
  return text.substr(first, last - first + 1);
}

bool EndsWithAnyCase(std::string_view text, std::string_view ending) {
  if (text.size() < ending.size()) return false;
  text.remove_prefix(text.size() - ending.size());
  for (size_t i = 0; i < ending.size(); ++i) {
    char c = text[i], e = ending[i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (e >= 'A' && e <= 'Z') e = static_cast<char>(e - 'A' + 'a');
    if (c != e) return false;
  }
  return true;
}

std::string NormalizePath(std::string_view path, char separator) {
  std::string_view trimmed = TrimSpaces(path);
  if (trimmed.empty() || (trimmed.size() == 1 && trimmed[0] == separator)) return {};

  std::string result;
  result.reserve(path.size());
  size_t i = 0;
  if (separator == '\\' && path.size() > 2 && path[0] == '\\' && path[1] == '\\') {
    size_t name = path.find_first_not_of('\\');
    if (name != std::string_view::npos) {
      result = "\\\\";
      i = name;
    }
  }
  for (; i < path.size(); ++i) {
    char c = path[i];
    if (c == separator && !result.empty() && result.back() == separator) continue;
    result += c;
  }
  return result;
}

std::string FolderOfPath(std::string_view path, char separator) {
  if (path.empty()) return {};
  std::string_view last = LastComponent(path, separator);
  if (path.size() < last.size() + 1) return {};
  return std::string(path.substr(0, path.size() - last.size() - 1));
}

std::string FileNameOfPath(std::string_view path, char separator) {
  if (path.empty()) return {};
  return std::string(LastComponent(path, separator));
}

std::string NativeSeparators(std::string_view literal, char separator) {
  std::string result(literal);
  for (char& c : result) {
    if (c == '\\') c = separator;
  }
  return result;
}

std::string JoinPath(std::string_view folder, std::string_view name, char separator) {
  std::string path(folder);
  if (!path.empty() && path.back() != separator) path += separator;
  path += name;
  return path;
}

}  // namespace routix::base
