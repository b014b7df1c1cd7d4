// Syntax colouring of a script editor: names, catalogue words, command words, numbers, strings and
// comments, line by line as the user types.
#pragma once

#include "ui/syntax_classes.h"

#include <QSyntaxHighlighter>
#include <QTextCharFormat>

namespace zelvora::gui {

class tScriptHighlighter : public QSyntaxHighlighter {
    Q_OBJECT

public:
    tScriptHighlighter(QTextDocument* document, tSyntaxWords words);
    void SetEnabled(bool enabled);

protected:
    void highlightBlock(const QString& text) override;

private:
    tSyntaxWords m_words;
    bool m_enabled = true;
};

// The colour of a class as the editor shows it (comments blue).
QTextCharFormat SyntaxFormat(tSyntaxClass kind);

// A line of the editor as program text with one byte per character, so that offsets match: a
// character that Windows-1252 cannot hold becomes '?'.
std::string LineBytes(const QString& line);

} // namespace zelvora::gui
