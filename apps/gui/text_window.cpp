#include "text_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QMenuBar>
#include <QMessageBox>

namespace zelvora::gui {

tTextWindow::tTextWindow(QWidget* parent)
    : QMainWindow(parent)
{
    m_question = [this](const QString& text) {
        return QMessageBox::question(this, windowTitle(), text) == QMessageBox::Yes;
    };
}

void tTextWindow::BuildMenus(bool appendModeOn)
{
    QMenu* file = menuBar()->addMenu(QString::fromUtf8("&Datei"));
    file->addAction(QString::fromUtf8("&Speichern"), this, [this] { Save(); });
    file->addAction(QString::fromUtf8("Speichern &als.."), this, [this] { SaveAs(); });
    m_appendAction = file->addAction(QString::fromUtf8("     &Anhängen-Modus"));
    m_appendAction->setCheckable(true);
    m_appendAction->setChecked(appendModeOn);
    connect(m_appendAction, &QAction::toggled, this, [this](bool on) { SetAppendMode(on); });
    file->addSeparator();
    file->addAction(QString::fromUtf8("&Quit"), this, [this] { hide(); });
    menuBar()->addAction(QString::fromUtf8("&Löschen "), this, [this] { ClearText(); });
}

void tTextWindow::SyncAppendAction(bool on)
{
    if (m_appendAction)
        m_appendAction->setChecked(on);
}

bool tTextWindow::Save()
{
    if (WriteFile())
        return true;
    ReportWriteFailure(FilePath());
    return false;
}

void tTextWindow::ReportWriteFailure(const QString& path)
{
    QMessageBox* box = new QMessageBox(QMessageBox::Warning, windowTitle(),
        QString::fromUtf8("Die Datei \"%1\" konnte nicht geschrieben werden.").arg(path),
        QMessageBox::Ok, this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

bool tTextWindow::MayClose()
{
    SetAppendMode(true);
    SyncAppendAction(true);
    if (!Modified() || WriteFile())
        return true;
    return m_question(QString::fromUtf8("Die Datei \"%1\" konnte nicht geschrieben werden; der "
                                        "ungesicherte Text geht beim Beenden verloren. Trotzdem "
                                        "beenden?")
                          .arg(FilePath()));
}

// Closing the window hides it after saving its unsaved text in append mode; the text stays.
void tTextWindow::closeEvent(QCloseEvent* event)
{
    if (MayClose())
        event->accept();
    else
        event->ignore();
}

void MakeFolderOf(const QString& filePath)
{
    QDir().mkpath(QFileInfo(filePath).absolutePath());
}

} // namespace zelvora::gui
