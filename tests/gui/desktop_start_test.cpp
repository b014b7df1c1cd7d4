// What the desktop shows at start and what it must not destroy: the four windows in their places,
// graphics windows clear of the command window's controls, a workspace given at start, files that
// are no text, "alle Schließen", the scalar window's sizes, quoted start parameters, the menus
// after a restart, the journal's "Speichern als", the focus after Neu and Schließen, German Qt
// dialogs. Pictures of the start and the scalar window go to ZELVORA_PICTURE_DIR.
#include "help_window.h"
#include "interpreter/settings.h"
#include "interpreter/settings_module.h"
#include "matrix_grid_view.h"
#include "qt_translations.h"
#include "scalar_window.h"
#include "script_highlighter.h"
#include "script_tab.h"
#include "support/desktop_fixture.h"
#include "window_placement.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QMenuBar>
#include <QPainter>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTableWidget>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextEdit>
#include <QTextLayout>
#include <QToolBar>

namespace zelvora::gui::test {
namespace {

QByteArray FileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QRect Screen()
{
    return QGuiApplication::primaryScreen()->availableGeometry();
}

// The windows drawn where they stand, on a dark background the size of the screen.
QImage ScreenPicture(const std::vector<QWidget*>& windows)
{
    QImage picture(Screen().size(), QImage::Format_RGB32);
    picture.fill(QColor(40, 60, 80));
    QPainter painter(&picture);
    for (QWidget* window : windows) {
        if (window->isVisible())
            painter.drawImage(
                window->geometry().topLeft() - Screen().topLeft(), window->grab().toImage());
    }
    return picture;
}

} // namespace

class tDesktopStartTest : public QObject {
    Q_OBJECT

private slots:
    void FourWindowsShowInTheirPlaces()
    {
        tDesktopFixture fixture;
        tDesktop& desktop = fixture.Desktop();
        QVERIFY(desktop.Start({ "zelvora" }));
        const QRect screen = Screen();
        QVERIFY(desktop.Shelf().isVisible());
        QVERIFY(desktop.CommandWindow().isVisible());
        QVERIFY(desktop.JournalWindow().isVisible());
        QVERIFY(desktop.ListingWindow().isVisible());
        QCOMPARE(desktop.Shelf().geometry(), ScreenShare(screen, 1, 1, 54, 98));
        QCOMPARE(desktop.CommandWindow().geometry(), ScreenShare(screen, 55, 1, 44, 75));
        QCOMPARE(desktop.JournalWindow().geometry(), ScreenShare(screen, 55, 76, 44, 23));
        QCOMPARE(desktop.ListingWindow().geometry(), ScreenShare(screen, 55, 76, 44, 23));

        // The graphics windows open below the command window's menu bar and tool bar.
        tCommandWindow& commands = desktop.CommandWindow();
        int controlsBottom = commands.menuBar()->geometry().bottom();
        for (const QToolBar* bar : commands.findChildren<QToolBar*>())
            controlsBottom = std::max(controlsBottom, bar->geometry().bottom());
        const int controlsOnScreen = commands.mapToGlobal(QPoint(0, controlsBottom)).y();
        for (QWidget* graphics : std::initializer_list<QWidget*> {
                 &desktop.VectorAnimation(), &desktop.CloudAnimation(), &desktop.Scatterplot() }) {
            QVERIFY2(
                graphics->geometry().top() > controlsOnScreen, qPrintable(graphics->windowTitle()));
            QVERIFY(screen.contains(graphics->geometry()));
        }
        QVERIFY(ScreenPicture({ &desktop.Shelf(), &desktop.JournalWindow(),
                                  &desktop.ListingWindow(), &desktop.CommandWindow() })
                    .save(PictureFolder() + "/start.png"));
        desktop.VectorAnimation().show();
        QVERIFY2(screen.contains(desktop.VectorAnimation().geometry()),
            qPrintable(QStringLiteral("%1,%2 %3x%4")
                           .arg(desktop.VectorAnimation().x())
                           .arg(desktop.VectorAnimation().y())
                           .arg(desktop.VectorAnimation().width())
                           .arg(desktop.VectorAnimation().height())));
        QVERIFY(
            ScreenPicture({ &desktop.Shelf(), &desktop.JournalWindow(), &desktop.ListingWindow(),
                              &desktop.CommandWindow(), &desktop.VectorAnimation() })
                .save(PictureFolder() + "/start-with-animation.png"));
    }

    void KeptGraphicsPlaceOverTheControlsMovesBelowThem()
    {
        tDesktopFixture fixture;
        QVERIFY(fixture.Desktop().Start({ "zelvora" }));
        const std::string iniPath = fixture.Desktop().Session().SettingsFileView().FileToWrite();
        const QRect commands = fixture.Desktop().CommandWindow().geometry();
        fixture.Restart();
        tIniFile ini;
        QVERIFY(ini.Load(iniPath));
        WriteWindowPlace(ini, "VektorAnimation", QRect(commands.topLeft(), QSize(300, 300)));
        WriteWindowPlace(ini, "Scatterplot", QRect(10, 300, 300, 200)); // over the shelf: kept
        QVERIFY(ini.Save(iniPath));
        QVERIFY(fixture.Desktop().Start({ "zelvora" }));
        const QRect vectors = fixture.Desktop().VectorAnimation().geometry();
        QVERIFY(vectors.top() > commands.top() + 40);
        QCOMPARE(fixture.Desktop().Scatterplot().geometry().topLeft(), QPoint(10, 300));
    }

    void PlacesOffTheScreenFallBack()
    {
        const QRect screen(0, 0, 1024, 600);
        const QRect share(10, 10, 300, 200);
        QCOMPARE(FittedOnScreen(QRect(2500, 1400, 640, 480), share, screen), share);
        QCOMPARE(FittedOnScreen(QRect(980, 20, 640, 480), share, screen), share);
        QCOMPARE(FittedOnScreen(QRect(30, 40, 640, 480), share, screen), QRect(30, 40, 640, 480));
        QCOMPARE(FittedOnScreen(QRect(0, 0, 3000, 2000), share, screen), QRect(0, 0, 1024, 600));
        QCOMPARE(BelowControls(QRect(500, 10, 300, 200), 90, screen), QRect(500, 90, 300, 200));
        QCOMPARE(BelowControls(QRect(500, 500, 300, 200), 90, screen), QRect(500, 400, 300, 200));
        QCOMPARE(BelowControls(QRect(500, 10, 300, 900), 90, screen), QRect(500, 90, 300, 510));
        QCOMPARE(WithinScreen(QRect(800, 10, 300, 200), QSize(400, 100), screen),
            QRect(624, 10, 400, 200));
        QCOMPARE(WithinScreen(QRect(10, 10, 300, 200), QSize(2000, 100), screen),
            QRect(0, 10, 1024, 200));
    }

    void WorkspaceGivenAtStartIsLoadedNeverOpened()
    {
        tDesktopFixture fixture;
        const QString workspace = fixture.Folder() + "arbeit.zvw";
        QVERIFY(
            fixture.Run("W = {{1,2},{3,4.5}}\nw = 7\nSAVE \"" + workspace.toStdString() + "\""));
        const QByteArray saved = FileBytes(workspace);
        QVERIFY(saved.startsWith("ZTMW"));
        fixture.Restart();
        QVERIFY(fixture.Desktop().Start({ "zelvora", workspace.toStdString() }));
        QTRY_VERIFY(fixture.Find("W"));
        QVERIFY(fixture.Find("w"));
        tCommandWindow& commands = fixture.Desktop().CommandWindow();
        QCOMPARE(commands.TabCount(), 1);
        QVERIFY(commands.MessagePanel()->isHidden());
        const auto& recent
            = fixture.Desktop().Session().SettingsFileView().Settings().RecentScripts.Entries();
        QVERIFY(std::none_of(recent.begin(), recent.end(),
            [](const std::string& entry) { return entry.find("arbeit") != std::string::npos; }));

        // Opened as a script by hand it is refused, and so is any other file that is no text.
        QVERIFY(!commands.OpenScript(workspace));
        QVERIFY(commands.MessagePanel()->text().contains("Arbeitsbereichsdatei"));
        const QString binary = fixture.Folder() + "bild.bin";
        WriteFile(binary, QByteArray("abc\0def", 7));
        QVERIFY(!commands.OpenScript(binary));
        QVERIFY(commands.MessagePanel()->text().contains("keine Textdatei"));
        QCOMPARE(commands.TabCount(), 1);
        QCOMPARE(FileBytes(workspace), saved);
        QCOMPARE(FileBytes(binary), QByteArray("abc\0def", 7));
    }

    void DeletingAllMatricesAsksFirstAndCounts()
    {
        tDesktopFixture fixture;
        QVERIFY(fixture.Run("A = {{1}}\nB = {{2}}\nHIDE B\nR = 1..3\nv = 3"));
        tShelfWindow& shelf = fixture.Shelf();
        QString asked;
        shelf.SetDeleteQuestion([&asked](const QString& text) {
            asked = text;
            return false;
        });
        QVERIFY(!shelf.DeleteAllMatrices());
        QVERIFY(asked.contains("2 Matrix-Variablen"));
        QVERIFY(asked.contains("auch verborgene"));
        QVERIFY(fixture.Find("A") && fixture.Find("B"));
        const tJournal& journal = fixture.Desktop().Session().JournalView();
        QVERIFY(journal.PlainText().find("DELETE") == std::string::npos);

        shelf.SetDeleteQuestion([](const QString&) { return true; });
        QVERIFY(shelf.DeleteAllMatrices());
        // It ran as a statement: the journal holds it.
        QVERIFY(journal.PlainText().find("DELETE A, B") != std::string::npos);
        QVERIFY(!fixture.Find("A"));
        QVERIFY(!fixture.Find("B"));
        QVERIFY(fixture.Find("R"));
        QVERIFY(fixture.Find("v"));
        asked.clear();
        shelf.SetDeleteQuestion([&asked](const QString& text) {
            asked = text;
            return true;
        });
        QVERIFY(!shelf.DeleteAllMatrices()); // nothing left to delete: no question
        QVERIFY(asked.isEmpty());
    }

    void ScalarCellsFitTheirColumns()
    {
        tDesktopFixture fixture;
        QVERIFY(fixture.Run("xs = 3.25\nst = \"abc\"\nbo = #wahr\nx = 95\nxs = 4\n"
                            "satz = \"ein etwas l\xE4ngerer Text mit Wert\"\n"
                            "langername_fuer_eine_zahl = -1234567.891\nklein = 3.98E-57"));
        auto* scalars = fixture.Shelf().findChild<tScalarWidget*>();
        QVERIFY(scalars);
        QTableWidget* grid = scalars->Grid();
        QFont boldFont = grid->font();
        boldFont.setBold(true);
        int rowsHeight = 0;
        for (int row = 0; row < grid->rowCount(); ++row) {
            const QFontMetrics metrics(row == 0 ? boldFont : grid->font());
            QVERIFY(grid->rowHeight(row) >= metrics.height());
            rowsHeight += grid->rowHeight(row);
            for (int col = 0; col < 2; ++col) {
                const QString text = grid->item(row, col)->text();
                QVERIFY2(metrics.horizontalAdvance(text) + 4 <= grid->columnWidth(col),
                    qPrintable(text));
            }
        }
        QCOMPARE(grid->item(grid->rowCount() - 1, 1)->text(), QStringLiteral("3.98E-57"));
        // Every row and both columns inside the grid's viewport, nothing under a scroll bar.
        QVERIFY(grid->viewport()->height() >= rowsHeight);
        QVERIFY(grid->viewport()->width() >= grid->columnWidth(0) + grid->columnWidth(1));
        QVERIFY(scalars->grab().toImage().save(PictureFolder() + "/scalar-window-fitted.png"));
    }

    void QuotedStartParameterOpensTheScript()
    {
        tDesktopFixture fixture;
        const QString script = fixture.Folder() + "probe datei.rts";
        WriteFile(script, "a = 1\n");
        QVERIFY(
            fixture.Desktop().Start({ "zelvora", "scriptdatei=\"" + script.toStdString() + "\"" }));
        QVERIFY(fixture.Messages().empty());
        tCommandWindow& commands = fixture.Desktop().CommandWindow();
        QTRY_COMPARE(commands.TabCount(), 2);
        QCOMPARE(commands.ActiveTab()->FileName, QStringLiteral("probe datei.rts"));
    }

    void RecentScriptsAndPreviousJournalAfterARestart()
    {
        tDesktopFixture fixture;
        QVERIFY(fixture.Desktop().Start({ "zelvora" }));
        const QString script = fixture.Folder() + "zuletzt.rts";
        WriteFile(script, "a = 1\n");
        QVERIFY(fixture.Desktop().CommandWindow().OpenScript(script));
        QVERIFY(fixture.Run("b = 2"));
        QVERIFY(fixture.Desktop().JournalWindow().MayClose()); // the journal is saved
        const std::string journalName
            = fixture.Desktop().Session().SettingsFileView().Settings().JournalFileName;
        fixture.Restart();
        QVERIFY(fixture.Desktop().Start({ "zelvora" }));

        const QList<QAction*> recent = fixture.Desktop().CommandWindow().RecentItems();
        QVERIFY(!recent.isEmpty());
        QVERIFY(recent[0]->isVisible());
        QVERIFY2(recent[0]->text().endsWith("zuletzt.rts"), qPrintable(recent[0]->text()));
        const QAction* journal = fixture.Desktop().CommandWindow().PreviousJournalItem();
        QVERIFY2(journal->text().endsWith(QString::fromStdString(journalName)),
            qPrintable(journal->text()));
        QVERIFY(journal->isEnabled());
    }

    void JournalSaveAsWritesTheWholeJournal()
    {
        tDesktopFixture fixture;
        QVERIFY(fixture.Desktop().Start({ "zelvora" }));
        tJournalWindow& journal = fixture.Desktop().JournalWindow();
        QVERIFY(fixture.Run("a = 1"));
        QVERIFY(journal.MayClose()); // append mode: saved to this run's journal file
        QVERIFY(fixture.Run("b = 2"));
        const QString copy = fixture.Folder() + "kopie.zvj";
        QVERIFY(journal.SaveAsFile(copy));
        QByteArray bytes = FileBytes(copy);
        QVERIFY2(bytes.contains("a = 1\n") && bytes.endsWith("b = 2\n"), bytes.constData());
        QVERIFY(fixture.Run("c = 3"));
        QVERIFY(journal.Save());
        bytes = FileBytes(copy);
        QCOMPARE(bytes.count("a = 1\n"), 1);
        QCOMPARE(bytes.count("b = 2\n"), 1);
        QVERIFY(bytes.endsWith("b = 2\nc = 3\n"));
    }

    void TypingGoesOnAfterNewAndClose()
    {
        tDesktopFixture fixture;
        QVERIFY(fixture.Desktop().Start({ "zelvora" }));
        tCommandWindow& commands = fixture.Desktop().CommandWindow();
        commands.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&commands));
        tScriptTab* added = commands.NewTab();
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(added));
        commands.CloseActiveTab();
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(commands.ActiveTab()));
        QTest::keyClicks(QApplication::focusWidget(), "xyz");
        QVERIFY(commands.ActiveTab()->toPlainText().contains("xyz"));
    }

    void FailingStatementStaysVisibleAndMarked()
    {
        tDesktopFixture fixture;
        QVERIFY(fixture.Desktop().Start({ "zelvora" }));
        tCommandWindow& commands = fixture.Desktop().CommandWindow();
        tScriptTab* tab = commands.ActiveTab();
        QString text;
        for (int i = 0; i < 60; ++i)
            text += QStringLiteral("a%1 = %1\n").arg(i);
        text += "r = Invv(a1)\nb = 2";
        tab->setPlainText(text);
        tab->selectAll();
        commands.RunSelection();
        QVERIFY(commands.MessagePanel()->isVisible());
        const QList<QTextEdit::ExtraSelection> marks = tab->extraSelections();
        QCOMPARE(marks.size(), 1);
        QCOMPARE(marks[0].cursor.block().blockNumber(), 60);
        QCOMPARE(tab->textCursor().blockNumber(), 60);
        QVERIFY(tab->viewport()->rect().contains(tab->cursorRect().center()));
        QVERIFY(commands.grab().toImage().save(PictureFolder() + "/failure-marked.png"));

        tab->setPlainText("b = 2");
        commands.RunSelection();
        QVERIFY(tab->extraSelections().isEmpty());
    }

    void StoredNamesAreColouredAsVariables()
    {
        tDesktopFixture fixture;
        QVERIFY(fixture.Desktop().Start({ "zelvora" }));
        tCommandWindow& commands = fixture.Desktop().CommandWindow();
        tScriptTab* tab = commands.ActiveTab();
        tab->setPlainText("E = {{2}}\nx = Inv(E) + E");
        tab->selectAll();
        commands.RunSelection();
        QVERIFY(fixture.Find("x"));
        const auto colourAt = [tab](int column) {
            const QTextBlock line = tab->document()->findBlockByNumber(1);
            for (const QTextLayout::FormatRange& range : line.layout()->formats())
                if (range.start <= column && column < range.start + range.length)
                    return range.format.foreground().color();
            return QColor();
        };
        QCOMPARE(colourAt(4), SyntaxFormat(tSyntaxClass::CatalogueWord).foreground().color());
        QCOMPARE(colourAt(8), SyntaxFormat(tSyntaxClass::Variable).foreground().color());
        QCOMPARE(colourAt(13), SyntaxFormat(tSyntaxClass::Variable).foreground().color());
    }

    void CornerCellShowsTheWholeSize()
    {
        tDesktopFixture fixture;
        QVERIFY(fixture.Run("G = RandomU(120, 120)"));
        tMatrixGridView* grid = fixture.WindowOf("G")->Grid();
        QCOMPARE(grid->CornerText(), QStringLiteral("120x120"));
        const QFontMetrics metrics(GridFont());
        QVERIFY(grid->HeaderColumnWidth() > metrics.horizontalAdvance("120x120"));
        QVERIFY(fixture.WindowOf("G")->Window()->grab().toImage().save(
            PictureFolder() + "/corner-cell.png"));
    }

    // The program in the build tree finds the shipped examples two folders up (build/examples),
    // where the build writes the formula reference beside the hand-written help documents.
    void HelpDocumentsAreShippedAndFound()
    {
        tDesktopFixture fixture;
        tPlatformPaths paths = fixture.Paths();
        paths.ShippedDir
            = (QCoreApplication::applicationDirPath() + "/../../examples/").toStdString();
        tDesktop desktop(paths);
        desktop.SetMessageBox([](const std::string&, const std::string&) {});
        QVERIFY(desktop.Start({ "zelvora" }));
        const tSettings& settings = desktop.Session().SettingsFileView().Settings();
        const std::pair<std::string, QString> documents[] = {
            { settings.HelpFirstSteps, "Erste Hilfe" },
            { settings.HelpIntroduction, QString::fromUtf8("Einführung") },
            { settings.HelpReference, "Formel-Referenz" },
            { settings.HelpNews, "Neues" },
        };
        for (const auto& [name, title] : documents) {
            const QString path = desktop.CommandWindow().HelpFilePath(name);
            QVERIFY2(QFileInfo::exists(path), qPrintable(path));
            tHelpWindow window(title, path, nullptr);
            const QString text = window.View()->toPlainText();
            QVERIFY2(text.startsWith("Zelvora - " + title), qPrintable(text.left(80)));
            QVERIFY(!text.contains("nicht gefunden"));
        }
        // The reference names what the catalogue knows, with the catalogue's texts.
        const QString reference = desktop.CommandWindow().HelpFilePath(settings.HelpReference);
        tHelpWindow window("Formel-Referenz", reference, nullptr);
        const QString text = window.View()->toPlainText();
        for (const char* name : { "EigenSys", "Inv", "VARIMAX", "Wurzel" })
            QVERIFY2(text.contains(name, Qt::CaseInsensitive), name);
        window.resize(640, 480);
        QVERIFY(window.grab().toImage().save(PictureFolder() + "/help-reference.png"));
    }

    void FileDialogsSpeakGerman()
    {
        QVERIFY(InstallGermanQtTranslations(*QCoreApplication::instance()));
        QFileDialog dialog(nullptr, "Syntaxdatei speichern");
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        auto* buttons = dialog.findChild<QDialogButtonBox*>();
        QVERIFY(buttons);
        QStringList texts;
        for (const QAbstractButton* button : buttons->buttons())
            texts << button->text().remove('&');
        QVERIFY2(texts.contains("Speichern") && texts.contains("Abbrechen"),
            qPrintable(texts.join(", ")));
        dialog.resize(640, 400);
        QVERIFY(dialog.grab().toImage().save(PictureFolder() + "/file-dialog.png"));
    }
};

} // namespace zelvora::gui::test

QTEST_MAIN(zelvora::gui::test::tDesktopStartTest)
#include "desktop_start_test.moc"
