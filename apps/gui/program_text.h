// Program texts (Windows-1252) to and from Qt's strings.
#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace zelvora::gui {

QString ToQString(std::string_view programText);
// Characters Windows-1252 cannot hold become '?'.
std::string ToProgramText(const QString& text);

} // namespace zelvora::gui
