#include "listing_window.h"

#include "journal_window.h"
#include "program_text.h"
#include "ui/listing.h"
#include "ui/program_start.h"
#include "ui/session.h"
#include "ui/text_window_files.h"

#include <QBuffer>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QImage>
#include <QMenuBar>
#include <QScrollBar>
#include <QTextEdit>

namespace zelvora::gui {
namespace {

QTextCharFormat FormatOf(tTextStyle style)
{
    const tListingLook look = ListingLook(style);
    QTextCharFormat format;
    format.setFont(NamedFont(look.FontName, look.HalfPoints / 2.0, look.Monospace));
    format.setFontWeight(look.Bold ? QFont::Bold : QFont::Normal);
    format.setFontItalic(look.Italic);
    format.setForeground(QColor(look.Red, look.Green, look.Blue));
    return format;
}

QImage ImageOf(const tPicture& picture)
{
    if (picture.Width <= 0 || picture.Height <= 0
        || picture.Rgb.size() < std::size_t(picture.Width) * std::size_t(picture.Height) * 3)
        return {};
    return QImage(
        picture.Rgb.data(), picture.Width, picture.Height, picture.Width * 3, QImage::Format_RGB888)
        .copy();
}

} // namespace

std::string PngBytes(const tPicture& picture)
{
    const QImage image = ImageOf(picture);
    if (image.isNull())
        return {};
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return std::string(bytes.constData(), std::size_t(bytes.size()));
}

tListingWindow::tListingWindow(QWidget* parent)
    : tTextWindow(parent)
    , m_view(new QTextEdit(this))
{
    m_view->setReadOnly(true);
    m_view->setLineWrapMode(QTextEdit::NoWrap);
    m_view->setFont(NamedFont("Times New Roman", 9, false));
    setCentralWidget(m_view);
    BuildMenus(false);
    QMenu* file = menuBar()->actions().front()->menu();
    QAction* html = new QAction(QString::fromUtf8("Als &HTML speichern ..."), file);
    connect(html, &QAction::triggered, this, [this] { ChooseHtmlFile(); });
    file->insertAction(file->actions().at(2), html);
    setWindowTitle("Zelvora's listing - ");
}

void tListingWindow::Attach(tSession& session)
{
    m_session = &session;
    SyncAppendAction(session.ListingView().AppendMode());
    UpdateCaption();
}

void tListingWindow::UpdateCaption()
{
    if (m_session)
        setWindowTitle(
            ToQString("Zelvora's listing - " + m_session->SettingsView().ListingFileName()));
}

void tListingWindow::AppendLines(std::string_view text, tTextStyle style)
{
    m_blocks.AppendLines(text, style);
    QScrollBar* bar = m_view->verticalScrollBar();
    const bool atEnd = bar->value() == bar->maximum();
    QTextCursor end(m_view->document());
    end.movePosition(QTextCursor::End);
    const QTextCharFormat format = FormatOf(style);
    const QStringList lines = ToQString(text).split("\r\n");
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (i > 0 || m_blocks.Blocks().size() > 1)
            end.insertBlock();
        end.insertText(lines[i], format);
    }
    if (atEnd)
        bar->setValue(bar->maximum());
}

void tListingWindow::addBitmap(const tPicture& picture)
{
    const QImage image = ImageOf(picture);
    if (image.isNull())
        return;
    m_blocks.addBitmap(picture);
    const QString name = QString("zelvora-picture-%1").arg(++m_pictureCount);
    m_view->document()->addResource(QTextDocument::ImageResource, QUrl(name), image);
    QTextCursor end(m_view->document());
    end.movePosition(QTextCursor::End);
    if (m_blocks.Blocks().size() > 1)
        end.insertBlock();
    QTextImageFormat format;
    format.setName(name);
    end.insertImage(format);
}

void tListingWindow::Clear()
{
    m_blocks.Clear();
    m_view->clear();
    m_savedBlocks = 0;
}

QString tListingWindow::FilePath() const
{
    return m_session ? ToQString(m_session->SettingsView().ListingFilePath()) : QString();
}

bool tListingWindow::WriteFile()
{
    if (!m_session)
        return false;
    const std::string path = FileSystemPath(m_session->SettingsView().ListingFilePath());
    MakeFolderOf(QString::fromStdString(path));
    const bool written = AppendMode()
        ? AppendListingFile(path, ListingBlocksFrom(m_blocks, m_savedBlocks), PngBytes)
        : WriteWholeFile(path, ListingRtf(m_blocks, PngBytes));
    if (!written)
        return false;
    m_savedBlocks = m_blocks.Blocks().size();
    m_session->NoteListingWritten();
    return true;
}

void tListingWindow::SaveAs()
{
    if (!m_session)
        return;
    const QString chosen = QFileDialog::getSaveFileName(
        this, "Journal sichern", FilePath(), QString::fromUtf8("Listing (*.rtf);;Alle Dateien(*)"));
    if (chosen.isEmpty())
        return;
    const QFileInfo file(QFileInfo(chosen).suffix().isEmpty() ? chosen + ".rtf" : chosen);
    m_session->SetListingFile(ToProgramText(file.absolutePath()), ToProgramText(file.fileName()));
    UpdateCaption();
    Save();
}

void tListingWindow::ChooseHtmlFile()
{
    QString chosen = QFileDialog::getSaveFileName(this, "Listing als HTML speichern",
        QFileInfo(FilePath()).path(), QString::fromUtf8("HTML-Seite (*.html);;Alle Dateien(*)"));
    if (chosen.isEmpty())
        return;
    if (QFileInfo(chosen).suffix().isEmpty())
        chosen += ".html";
    if (!ExportHtml(chosen))
        ReportWriteFailure(chosen);
}

bool tListingWindow::ExportHtml(const QString& path) const
{
    const std::string title
        = m_session ? m_session->SettingsView().ListingFileName() : std::string("Listing");
    return WriteWholeFile(
        QFile::encodeName(path).toStdString(), ListingHtml(m_blocks, PngBytes, title));
}

void tListingWindow::ClearText()
{
    if (m_session)
        m_session->ClearListing();
    else
        Clear();
}

bool tListingWindow::AppendMode() const
{
    return m_session && m_session->ListingView().AppendMode();
}

void tListingWindow::SetAppendMode(bool on)
{
    if (m_session)
        m_session->SetListingAppendMode(on);
}

bool tListingWindow::Modified() const
{
    return m_session && m_session->ListingView().Modified();
}

} // namespace zelvora::gui
