#include "script_highlighter.h"

#include "program_text.h"

namespace zelvora::gui {

tScriptHighlighter::tScriptHighlighter(QTextDocument* document, tSyntaxWords words)
    : QSyntaxHighlighter(document)
    , m_words(std::move(words))
{
}

void tScriptHighlighter::SetEnabled(bool enabled)
{
    m_enabled = enabled;
    rehighlight();
}

void tScriptHighlighter::highlightBlock(const QString& text)
{
    if (!m_enabled)
        return;
    for (const tSyntaxSpan& span : ClassifyLine(LineBytes(text), m_words))
        setFormat(span.Start, span.Length, SyntaxFormat(span.Class));
}

QTextCharFormat SyntaxFormat(tSyntaxClass kind)
{
    QTextCharFormat format;
    switch (kind) {
    case tSyntaxClass::Comment:
        format.setForeground(QColor(0, 0, 255));
        break;
    case tSyntaxClass::CommandWord:
        format.setForeground(QColor(128, 0, 0));
        format.setFontWeight(QFont::Bold);
        break;
    case tSyntaxClass::CatalogueWord:
        format.setForeground(QColor(0, 0, 128));
        format.setFontWeight(QFont::Bold);
        break;
    case tSyntaxClass::Number:
        format.setForeground(QColor(128, 0, 128));
        break;
    case tSyntaxClass::String:
        format.setForeground(QColor(0, 128, 0));
        break;
    case tSyntaxClass::Name:
        format.setForeground(QColor(0, 0, 0));
        break;
    case tSyntaxClass::Variable:
        format.setForeground(QColor(0, 96, 112));
        break;
    }
    return format;
}

std::string LineBytes(const QString& line)
{
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(line.size()));
    for (const QChar c : line) {
        const char16_t code = c.unicode();
        // ASCII and the Latin-1 letters are the same bytes in Windows-1252.
        if (code < 0x80 || (code >= 0xA0 && code <= 0xFF)) {
            bytes += static_cast<char>(code);
            continue;
        }
        const std::string one = ToProgramText(QString(c));
        bytes += one.size() == 1 ? one[0] : '?';
    }
    return bytes;
}

} // namespace zelvora::gui
