#include "help_window.h"

#include "program_text.h"
#include "ui/front_end_text.h"
#include "ui/session.h"

#include <QDateTime>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace zelvora::gui {
namespace {

QString MissingHelpText()
{
    return QString::fromUtf8("<p>Die Hilfedatei \"Zelvora-Help.rtf\" wurde im Programmverzeichnis "
                             "HILFE nicht gefunden.</p><p>Bitte installieren Sie das Programm "
                             "neu.</p>");
}

} // namespace

tHelpWindow::tHelpWindow(const QString& caption, const QString& path, QWidget* parent)
    : QDialog(parent)
    , m_view(new QTextBrowser(this))
{
    setWindowTitle("Zelvora - " + caption);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        m_view->setHtml(MissingHelpText());
    } else {
        const QByteArray bytes = file.readAll();
        const std::string_view view(bytes.constData(), std::size_t(bytes.size()));
        if (LooksLikeRtf(view)) {
            const std::string html = RichTextToHtml(ReadRtf(view));
            m_view->setHtml(QString::fromUtf8(html.data(), qsizetype(html.size())));
        } else {
            const std::string text = DecodeScriptFile(view).Utf8Text;
            m_view->setPlainText(QString::fromUtf8(text.data(), qsizetype(text.size())));
        }
    }
    resize(640, 480);
}

void ShowAboutBox(QWidget* parent, const QString& programPath)
{
    QDialog box(parent);
    const QString stamp = QFileInfo(programPath).lastModified().toString("dd.MM.yy hh:mm");
    box.setWindowTitle("Version vom:" + stamp.left(8) + " (Datum der ausf. Datei)");
    auto* layout = new QVBoxLayout(&box);
    auto* text = new QLabel(
        QString::fromUtf8("<h3>Zelvora</h3><p>Interaktiver Matrizenrechner mit eigener Formel- und "
                          "Befehlssprache.</p><p>Version %1</p>")
            .arg(ToQString(ProgramVersionText())));
    layout->addWidget(text);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, &box);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &box, &QDialog::accept);
    layout->addWidget(buttons);
    box.exec();
}

} // namespace zelvora::gui
