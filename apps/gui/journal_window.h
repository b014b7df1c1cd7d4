// The journal window "Zelvora's Journal": a read-only plain-text log of every statement run, saved
// to the journal file of this program run (replacing it, or appending what is new).
#pragma once

#include "ports/text_view_port.h"
#include "text_window.h"

class QPlainTextEdit;

namespace zelvora {
class tSession;
} // namespace zelvora

namespace zelvora::gui {

class tJournalWindow : public tTextWindow, public tTextViewPort {
    Q_OBJECT

public:
    explicit tJournalWindow(QWidget* parent = nullptr);

    // The session whose journal it shows and saves, once the session exists.
    void Attach(tSession& session);

    void AppendLines(std::string_view text, tTextStyle style) override;
    void Clear() override;
    std::string PlainText() const override;

    QPlainTextEdit* Editor() const { return m_editor; }
    // From now on, in append mode, the journal's file grows with every text appended (each
    // statement's echo before it runs), so that a killed program loses nothing that ran.
    void StartWritingThrough();
    // "Speichern als": the journal's file becomes path (".zvj" added when it has no extension)
    // and the whole journal is written to it, in either mode; later saves go there. False (after
    // telling the user) when it could not be written.
    bool SaveAsFile(const QString& path);

protected:
    bool WriteFile() override;
    // The whole text to the journal's file, replacing it.
    bool WriteWholeFile();
    void SaveAs() override;
    void ClearText() override;
    bool AppendMode() const override;
    void SetAppendMode(bool on) override;
    bool Modified() const override;
    QString FilePath() const override;

private:
    void UpdateCaption();
    void NoteSaved(std::size_t length);
    void WriteThrough(const QString& inserted);

    QPlainTextEdit* m_editor;
    tSession* m_session = nullptr;
    // Characters of the text already in the file, so that appending adds only what came since.
    std::size_t m_savedLength = 0;
    bool m_writingThrough = false;
    // Whether the file holds all of the text, so that a new text is appended alone.
    bool m_fileCurrent = false;
};

// The font the program asks for by name, with a fixed-pitch or serif fallback.
QFont NamedFont(const QString& family, double points, bool monospace);

} // namespace zelvora::gui
