#include "program_text.h"

#include "ui/front_end_text.h"

namespace zelvora::gui {

QString ToQString(std::string_view programText)
{
    const std::string utf8 = Cp1252ToUtf8(programText);
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::string ToProgramText(const QString& text)
{
    const QByteArray utf8 = text.toUtf8();
    return Utf8ToCp1252(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())));
}

} // namespace zelvora::gui
