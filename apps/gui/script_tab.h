// One editor tab of the command window: a script with an optional file, the form it was read in
// (encoding, line breaks), and its syntax colouring.
#pragma once

#include "ui/front_end_text.h"
#include "ui/syntax_classes.h"

#include <QPlainTextEdit>
#include <cstdint>
#include <string>
#include <vector>

namespace zelvora::gui {

class tScriptHighlighter;

class tScriptTab : public QPlainTextEdit {
    Q_OBJECT

public:
    tScriptTab(
        std::int32_t number, const QFont& font, tSyntaxWords words, QWidget* parent = nullptr);

    std::int32_t Number() const { return m_number; }
    // The tab's file: directory and name; bound to it once opened or saved.
    QString Caption; // the tab's caption: one blank and the file name without extension
    QString Directory;
    QString FileName;
    bool HasFile = false;
    bool SavesRichText = false; // the save format: plain text, or RTF
    tScriptFileForm Form;

    QString FilePath() const;
    // Reads a script (plain text in any of its forms, or RTF) into the editor and binds the tab to
    // the file; false with a message when it cannot be read.
    bool Open(const QString& path, QString& error);
    // Writes the script to the file as plain text in its form, or as RTF; false when it could not
    // be written. Binds the tab to the file.
    bool SaveTo(const QString& path, bool richText);

    // The editor's lines as program text, and the selection in characters (a line break counts
    // one): what the run action and the comment tools work on.
    std::vector<std::string> ProgramLines() const;
    std::int32_t SelectionStart() const;
    std::int32_t SelectionLength() const;

    void SetColouring(bool on);
    // Colours the whole text again (the store's names changed).
    void Recolour();

private:
    std::int32_t m_number;
    tScriptHighlighter* m_highlighter;
};

// The script as an RTF document: the command font, comments in blue.
std::string ScriptRtf(const std::vector<std::string>& lines, const std::string& fontName);

} // namespace zelvora::gui
