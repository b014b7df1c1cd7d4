#include "script_tab.h"

#include "program_text.h"
#include "script_highlighter.h"
#include "ui/front_end_text.h"
#include "ui/script_file_kind.h"
#include "ui/text_window_files.h"

#include <QFile>
#include <QFileInfo>
#include <QTextBlock>

namespace zelvora::gui {
namespace {

// The UTF-8 text of a script file's bytes; form and richText tell how it was stored.
std::string ScriptFileText(std::string_view bytes, tScriptFileForm& form, bool& richText)
{
    richText = LooksLikeRtf(bytes);
    if (richText) {
        form = {};
        std::string text = Cp1252ToUtf8(PlainText(ReadRtf(bytes)));
        std::erase(text, '\r');
        return text;
    }
    tDecodedScript script = DecodeScriptFile(bytes);
    form = script.Form;
    return std::move(script.Utf8Text);
}

} // namespace

tScriptTab::tScriptTab(std::int32_t number, const QFont& font, tSyntaxWords words, QWidget* parent)
    : QPlainTextEdit(parent)
    , m_number(number)
    , m_highlighter(new tScriptHighlighter(document(), std::move(words)))
{
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setFont(font);
    setContextMenuPolicy(Qt::CustomContextMenu);
}

QString tScriptTab::FilePath() const
{
    return Directory.isEmpty() ? FileName : Directory + '/' + FileName;
}

bool tScriptTab::Open(const QString& path, QString& error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = QString::fromUtf8("Die Datei \"%1\" kann nicht gelesen werden.").arg(path);
        return false;
    }
    const QByteArray bytes = file.readAll();
    const std::string_view view(bytes.constData(), std::size_t(bytes.size()));
    // A workspace or another binary file shown as text would be garbage, and saving the tab would
    // write that garbage over the file.
    switch (ScriptFileKindOf(view)) {
    case tScriptFileKind::Workspace:
        error = QString::fromUtf8("Die Datei \"%1\" ist eine Arbeitsbereichsdatei und wird nicht "
                                  "als Script geöffnet; laden Sie sie mit LOAD.")
                    .arg(path);
        return false;
    case tScriptFileKind::Binary:
        error = QString::fromUtf8(
            "Die Datei \"%1\" ist keine Textdatei und wird nicht als Script geöffnet.")
                    .arg(path);
        return false;
    case tScriptFileKind::Text:
        break;
    }
    const std::string text = ScriptFileText(view, Form, SavesRichText);
    setPlainText(QString::fromUtf8(text.data(), qsizetype(text.size())));
    document()->setModified(false);
    const QFileInfo info(path);
    Directory = info.absolutePath();
    FileName = info.fileName();
    HasFile = true;
    return true;
}

bool tScriptTab::SaveTo(const QString& path, bool richText)
{
    std::string bytes;
    if (richText) {
        bytes = ScriptRtf(ProgramLines(), ToProgramText(font().family()));
    } else {
        const QByteArray utf8 = toPlainText().toUtf8();
        bytes = EncodeScriptFile(
            std::string_view(utf8.constData(), std::size_t(utf8.size())), Form, &Form);
    }
    if (!WriteWholeFile(QFile::encodeName(path).toStdString(), bytes))
        return false;
    const QFileInfo info(path);
    Directory = info.absolutePath();
    FileName = info.fileName();
    HasFile = true;
    SavesRichText = richText;
    document()->setModified(false);
    return true;
}

std::vector<std::string> tScriptTab::ProgramLines() const
{
    std::vector<std::string> lines;
    lines.reserve(std::size_t(document()->blockCount()));
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next())
        lines.push_back(ToProgramText(block.text()));
    return lines;
}

std::int32_t tScriptTab::SelectionStart() const
{
    return textCursor().selectionStart();
}

std::int32_t tScriptTab::SelectionLength() const
{
    return textCursor().selectionEnd() - textCursor().selectionStart();
}

void tScriptTab::SetColouring(bool on)
{
    m_highlighter->SetEnabled(on);
}

void tScriptTab::Recolour()
{
    m_highlighter->rehighlight();
}

std::string ScriptRtf(const std::vector<std::string>& lines, const std::string& fontName)
{
    tRtfWriter writer({ { fontName, true } }, { { 0, 0, 255 } });
    for (const std::string& line : lines) {
        const std::int32_t comment = CommentStart(line);
        const std::size_t split = comment < 0 ? line.size() : std::size_t(comment);
        writer.Text(std::string_view(line).substr(0, split), { 0, 0, 20, false, false });
        if (split < line.size())
            writer.Text(std::string_view(line).substr(split), { 0, 1, 20, false, false });
        writer.EndParagraph();
    }
    return writer.Document();
}

} // namespace zelvora::gui
