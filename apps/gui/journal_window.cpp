#include "journal_window.h"

#include "program_text.h"
#include "ui/front_end_text.h"
#include "ui/journal.h"
#include "ui/program_start.h"
#include "ui/session.h"
#include "ui/text_window_files.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QTextCursor>

namespace zelvora::gui {

QFont NamedFont(const QString& family, double points, bool monospace)
{
    QFont font(family);
    font.setPointSizeF(points);
    font.setStyleHint(monospace ? QFont::TypeWriter : QFont::Serif);
    if (monospace)
        font.setFixedPitch(true);
    return font;
}

tJournalWindow::tJournalWindow(QWidget* parent)
    : tTextWindow(parent)
    , m_editor(new QPlainTextEdit(this))
{
    m_editor->setReadOnly(true);
    m_editor->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_editor->setFont(NamedFont("Lucida Console", 10, true));
    setCentralWidget(m_editor);
    BuildMenus(true);
    setWindowTitle("Zelvora's Journal - ");
}

void tJournalWindow::Attach(tSession& session)
{
    m_session = &session;
    SyncAppendAction(session.JournalView().AppendMode());
    UpdateCaption();
}

void tJournalWindow::UpdateCaption()
{
    if (m_session)
        setWindowTitle(
            ToQString("Zelvora's Journal - " + m_session->SettingsView().JournalFileName()));
}

void tJournalWindow::AppendLines(std::string_view text, tTextStyle)
{
    QTextCursor end(m_editor->document());
    end.movePosition(QTextCursor::End);
    QString lines = ToQString(text);
    lines.replace("\r\n", "\n");
    if (!m_editor->document()->isEmpty())
        lines.prepend('\n');
    end.insertText(lines);
    m_editor->ensureCursorVisible();
    if (m_writingThrough)
        WriteThrough(lines);
}

void tJournalWindow::StartWritingThrough()
{
    m_writingThrough = true;
    m_fileCurrent = AppendMode() && WriteFile();
}

// Appends the inserted text alone while the file holds the rest; otherwise (after a failed write,
// or text kept back in replace mode) the whole unsaved part once.
void tJournalWindow::WriteThrough(const QString& inserted)
{
    if (!AppendMode() || !m_session) {
        m_fileCurrent = false;
        return;
    }
    if (!m_fileCurrent) {
        m_fileCurrent = WriteFile();
        return;
    }
    QString plain = inserted;
    plain.replace('\n', "\r\n");
    const std::string text = ToProgramText(plain);
    std::string_view fresh = text;
    if (fresh.starts_with(TextLineBreak))
        fresh.remove_prefix(TextLineBreak.size());
    const std::string path = FileSystemPath(m_session->SettingsView().JournalFilePath());
    m_fileCurrent = AppendToFile(path, JournalFileText(fresh));
    if (m_fileCurrent)
        NoteSaved(m_savedLength + text.size());
}

void tJournalWindow::Clear()
{
    m_editor->clear();
    m_savedLength = 0;
    m_fileCurrent = false; // the next text goes after what the file holds
}

std::string tJournalWindow::PlainText() const
{
    QString text = m_editor->toPlainText();
    text.replace('\n', "\r\n");
    return ToProgramText(text);
}

QString tJournalWindow::FilePath() const
{
    return m_session ? ToQString(m_session->SettingsView().JournalFilePath()) : QString();
}

bool tJournalWindow::WriteFile()
{
    if (!AppendMode())
        return WriteWholeFile();
    if (!m_session)
        return false;
    const std::string path = FileSystemPath(m_session->SettingsView().JournalFilePath());
    MakeFolderOf(QString::fromStdString(path));
    const std::string text = PlainText();
    std::string_view fresh = std::string_view(text).substr(std::min(m_savedLength, text.size()));
    if (fresh.starts_with(TextLineBreak))
        fresh.remove_prefix(TextLineBreak.size());
    if (!fresh.empty() && !AppendToFile(path, JournalFileText(fresh)))
        return false;
    NoteSaved(text.size());
    return true;
}

bool tJournalWindow::WriteWholeFile()
{
    if (!m_session)
        return false;
    const std::string path = FileSystemPath(m_session->SettingsView().JournalFilePath());
    MakeFolderOf(QString::fromStdString(path));
    const std::string text = PlainText();
    if (!zelvora::WriteWholeFile(path, JournalFileText(text)))
        return false;
    NoteSaved(text.size());
    return true;
}

void tJournalWindow::NoteSaved(std::size_t length)
{
    m_savedLength = length;
    m_session->NoteJournalWritten();
}

void tJournalWindow::SaveAs()
{
    if (!m_session)
        return;
    const QString chosen = QFileDialog::getSaveFileName(
        this, "Journal sichern", FilePath(), QString::fromUtf8("Journal (*.zvj);;Alle Dateien(*)"));
    if (!chosen.isEmpty())
        SaveAsFile(chosen);
}

bool tJournalWindow::SaveAsFile(const QString& path)
{
    if (!m_session)
        return false;
    const QFileInfo file(QFileInfo(path).suffix().isEmpty() ? path + ".zvj" : path);
    m_session->SetJournalFile(ToProgramText(file.absolutePath()), ToProgramText(file.fileName()));
    UpdateCaption();
    // A new file holds nothing yet: in append mode too it gets the whole journal.
    if (WriteWholeFile())
        return true;
    ReportWriteFailure(FilePath());
    return false;
}

void tJournalWindow::ClearText()
{
    if (m_session)
        m_session->ClearJournal(); // empties the view through the port, clears the modified flag
    else
        Clear();
}

bool tJournalWindow::AppendMode() const
{
    return m_session ? m_session->JournalView().AppendMode() : true;
}

void tJournalWindow::SetAppendMode(bool on)
{
    if (m_session)
        m_session->SetJournalAppendMode(on);
}

bool tJournalWindow::Modified() const
{
    return m_session && m_session->JournalView().Modified();
}

} // namespace zelvora::gui
