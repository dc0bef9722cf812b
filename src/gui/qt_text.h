// Text between the core and Qt: paths and messages are in the system's 8-bit code page
// (the ANSI code page on Windows, UTF-8 elsewhere), boundary descriptions in Windows-1252.
// Message line breaks (CR LF) become the line feed that Qt lays out.
#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace routix::gui {

QString FromLocal(std::string_view text);
std::string ToLocal(const QString& text);
QString FromCp1252(const std::string& text);

}  // namespace routix::gui
