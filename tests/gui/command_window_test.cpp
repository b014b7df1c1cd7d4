// The command window: running statements, the message panel, comment tools, files; the listing
// and the journal it feeds. Pictures of the three windows go to ZELVORA_PICTURE_DIR.
#include "help_window.h"
#include "interpreter/settings.h"
#include "interpreter/settings_module.h"
#include "script_highlighter.h"
#include "script_tab.h"
#include "support/desktop_fixture.h"
#include "variables/display_list.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextEdit>
#include <QTextLayout>

namespace zelvora::gui::test {
namespace {

// Puts the text into the active tab and the caret at the start of line (0-based).
void Type(tCommandWindow& window, const QString& text, int line)
{
    tScriptTab* tab = window.ActiveTab();
    tab->setPlainText(text);
    QTextCursor cursor(tab->document()->findBlockByNumber(line));
    tab->setTextCursor(cursor);
}

QByteArray FileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Statements that put the data directory into the test's folder and name the journal's file.
std::string JournalInFolderStatements(tDesktopFixture& fixture)
{
    return "datenpfad = \"" + fixture.Folder().toStdString() + "\"\nJournalDname = \"j.zvj\"";
}

void SavePicture(QWidget& window, const QString& name)
{
    const QString folder = qEnvironmentVariable("ZELVORA_PICTURE_DIR", QDir::tempPath());
    QDir().mkpath(folder);
    window.show();
    QApplication::processEvents();
    QVERIFY(window.grab().save(folder + '/' + name));
}

} // namespace

class tCommandWindowTest : public QObject {
    Q_OBJECT

private slots:
    void RunsTheStatementUnderTheCaret()
    {
        tDesktopFixture fixture;
        tCommandWindow& window = fixture.Desktop().CommandWindow();
        Type(window, "A = 1\nB = {{1,2},{3,4}} + _\n  {{1,1},{1,1}}\nC = 3", 2);
        window.RunSelection();
        QVERIFY(fixture.Find("B"));
        QVERIFY(!fixture.Find("A"));
        QVERIFY(!fixture.Find("C"));
        QStringList captions;
        for (const QMdiSubWindow* sub :
            fixture.Desktop().Shelf().ActiveCompartment()->subWindowList())
            captions << sub->windowTitle();
        QCOMPARE(captions, QStringList { "B 2x2" });
        QVERIFY(!window.MessagePanel()->isVisible());
        QVERIFY(!fixture.Desktop().Session().IsBusy());
    }

    void KeysRunTheStatement()
    {
        tDesktopFixture fixture;
        tCommandWindow& window = fixture.Desktop().CommandWindow();
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        Type(window, "k = 1", 0);
        window.ActiveTab()->setFocus();
        QTest::keyClick(window.ActiveTab(), Qt::Key_R, Qt::ControlModifier);
        QVERIFY(fixture.Desktop().Session().Variable("k"));
        Type(window, "f = 2", 0);
        QTest::keyClick(window.ActiveTab(), Qt::Key_F2);
        QVERIFY(fixture.Desktop().Session().Variable("f"));
    }

    void FailureShowsMessageAndStatement()
    {
        tDesktopFixture fixture;
        tCommandWindow& window = fixture.Desktop().CommandWindow();
        window.show();
        Type(window, "a = 1\nr = Invv(a)\nb = 2", 0);
        window.ActiveTab()->selectAll();
        window.RunSelection();
        QVERIFY(window.MessagePanel()->isVisible());
        QCOMPARE(window.MessagePanel()->text(),
            QString("Unbekannter Name \"Invv\" an Stelle 1 der Formel\n\"r = Invv(a)\""));
        QVERIFY(!fixture.Desktop().Session().Variable("b"));
        Type(window, "b = 2", 0);
        window.RunSelection();
        QVERIFY(!window.MessagePanel()->isVisible());
    }

    void WarningShowsBesideTheMessageInItsOwnColour()
    {
        tDesktopFixture fixture;
        tCommandWindow& window = fixture.Desktop().CommandWindow();
        window.show();
        Type(window, "r = sqrt(-1)", 0);
        window.RunSelection();
        // The statement succeeds: no failure, the warning in its own panel.
        QVERIFY(fixture.Desktop().Session().Variable("r"));
        QVERIFY(!window.MessagePanel()->isVisible());
        QVERIFY(window.WarningPanel()->isVisible());
        QCOMPARE(window.WarningPanel()->text(),
            QString::fromUtf8("Warnung: Wurzel einer negativen Zahl, 0 genommen"));
        QVERIFY(window.WarningPanel()->styleSheet() != window.MessagePanel()->styleSheet());
        // The next run starts without it.
        Type(window, "s = 2", 0);
        window.RunSelection();
        QVERIFY(!window.WarningPanel()->isVisible());
    }

    void BareFormulaAnswersInTheAnswerPanel()
    {
        tDesktopFixture fixture;
        tCommandWindow& window = fixture.Desktop().CommandWindow();
        window.show();
        Type(window, "2+3\n?Inv", 0);
        window.ActiveTab()->selectAll();
        window.RunSelection();
        QVERIFY(window.AnswerPanel()->isVisible());
        const QString answers = window.AnswerPanel()->toPlainText();
        QVERIFY2(answers.startsWith("2+3 = 5\n"), qPrintable(answers));
        QVERIFY(answers.contains("Inv"));
        QVERIFY(!fixture.Desktop().Session().Variable("2+3"));
        Type(window, "x = 1", 0);
        window.RunSelection();
        QVERIFY(!window.AnswerPanel()->isVisible());
    }

    void CommentToolsChangeExactlyTheStatementRange()
    {
        tDesktopFixture fixture;
        tCommandWindow& window = fixture.Desktop().CommandWindow();
        Type(window, "x = 1\ny = 1 + _\n 2 + _\n 3\nz = 2", 2);
        window.CommentRange();
        QCOMPARE(window.ActiveTab()->toPlainText(),
            QString("x = 1\n; y = 1 + _\n;  2 + _\n;  3\nz = 2"));
        window.UncommentRange();
        QCOMPARE(window.ActiveTab()->toPlainText(),
            QString("x = 1\n  y = 1 + _\n   2 + _\n   3\nz = 2"));
        window.ActiveTab()->undo();
        window.ActiveTab()->undo();
        QCOMPARE(window.ActiveTab()->toPlainText(), QString("x = 1\ny = 1 + _\n 2 + _\n 3\nz = 2"));
    }

    void PasteAsCommentAfterTheFirstLine()
    {
        tDesktopFixture fixture;
        tCommandWindow& window = fixture.Desktop().CommandWindow();
        Type(window, "a = 1\nb = 2", 0);
        QGuiApplication::clipboard()->setText("p = 1\nq = 2");
        window.PasteAsComment(true);
        QCOMPARE(window.ActiveTab()->toPlainText(), QString("a = 1\n; p = 1\n; q = 2\nb = 2"));
        QGuiApplication::clipboard()->setText("; r = 3");
        Type(window, "", 0);
        window.PasteAsComment(false);
        QCOMPARE(window.ActiveTab()->toPlainText(), QString("  r = 3"));
    }

    void ListingAndJournalGetTheRun()
    {
        tDesktopFixture fixture;
        tCommandWindow& window = fixture.Desktop().CommandWindow();
        window.ListingSwitch()->trigger();
        QVERIFY(fixture.Desktop().Session().ListingOn());
        Type(window, ";H Ergebnisse\nM = {{1,2},{3,4}}\nLIST M", 0);
        window.ActiveTab()->selectAll();
        window.RunSelection();
        const QString listing = fixture.Desktop().ListingWindow().View()->toPlainText();
        QVERIFY2(listing.contains("[1] M = {{1,2},{3,4}}"), qPrintable(listing));
        QVERIFY(listing.contains(" Ergebnisse"));
        const QString journal = fixture.Desktop().JournalWindow().Editor()->toPlainText();
        QVERIFY(journal.contains("set listing=AN"));
        QVERIFY2(
            journal.contains(";<<\n;H Ergebnisse\nM = {{1,2},{3,4}}\nLIST M"), qPrintable(journal));
        fixture.Desktop().Session().SwitchListing(false);
        QVERIFY(!window.ListingSwitch()->isChecked());
        QVERIFY(fixture.Run("SETOPTIONS Listing = visible"));
        QVERIFY(fixture.Desktop().ListingWindow().isVisible());
    }

    void SavingAndReopeningKeepsTheBytes()
    {
        tDesktopFixture fixture;
        tCommandWindow& window = fixture.Desktop().CommandWindow();
        const QList<QByteArray> files { "A = \"gr\xC3\xB6\xC3\x9F"
                                        "e\"\r\nB = 2\r\n",
            "A = \"gr\xF6\xDF"
            "e\"\nB = 2" };
        int n = 0;
        for (const QByteArray& bytes : files) {
            const QString path = fixture.Folder() + QString("script%1.rts").arg(++n);
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(bytes);
            file.close();
            QVERIFY(window.OpenScript(path));
            QVERIFY(
                window.ActiveTab()->toPlainText().startsWith(QString::fromUtf8("A = \"größe\"")));
            QVERIFY(window.SaveActiveTab());
            QCOMPARE(FileBytes(path), bytes);
            window.ActiveTab()->appendPlainText(QString::fromUtf8("C = \"ä\""));
            QVERIFY(window.SaveActiveTab());
            QVERIFY(window.OpenScript(path));
            QVERIFY(window.ActiveTab()->toPlainText().endsWith(QString::fromUtf8("C = \"ä\"")));
        }
        QVERIFY(!window.OpenScript(fixture.Folder() + "missing.rts"));
        QVERIFY(window.MessagePanel()->text().contains("missing.rts"));
    }

    void RtfScriptsAreSavedAndReadAsRichText()
    {
        tDesktopFixture fixture;
        tCommandWindow& window = fixture.Desktop().CommandWindow();
        const QString script = QString::fromUtf8("; Größe {x}\nA = \"a\\b\" // c\n");
        Type(window, script, 0);
        const QString path = fixture.Folder() + "formatiert.rtf";
        QVERIFY(window.SaveActiveTabAs(path, true));
        QVERIFY(FileBytes(path).startsWith("{\\rtf1"));
        QVERIFY(FileBytes(path).contains("\\'f6"));
        QVERIFY(window.OpenScript(path));
        QCOMPARE(window.ActiveTab()->toPlainText(), script);
        QVERIFY(window.ActiveTab()->SavesRichText);
    }

    void HelpWindowShowsTheFileOrSaysItIsMissing()
    {
        tDesktopFixture fixture;
        const QString path = fixture.Folder() + "hilfe.rtf";
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("{\\rtf1\\ansi {\\b Erste} Hilfe\\par}");
        file.close();
        tHelpWindow help("Erste Hilfe", path);
        QCOMPARE(help.windowTitle(), QString("Zelvora - Erste Hilfe"));
        QCOMPARE(help.View()->toPlainText(), QString("Erste Hilfe"));
        tHelpWindow missing("Erste Hilfe", fixture.Folder() + "fehlt.rtf");
        QVERIFY(missing.View()->toPlainText().contains("nicht gefunden"));
    }

    void OnlyTabIsNotClosedAndUnsavedTabsAreAsked()
    {
        tDesktopFixture fixture;
        tCommandWindow& window = fixture.Desktop().CommandWindow();
        QCOMPARE(window.TabCount(), 1);
        window.CloseActiveTab();
        QCOMPARE(window.TabCount(), 1);
        window.NewTab()->insertPlainText("x = 1");
        int asked = 0;
        window.SetUnsavedQuestion([&asked](const QString&) { return ++asked, -1; });
        window.CloseActiveTab();
        QCOMPARE(window.TabCount(), 2);
        QVERIFY(!window.MayClose());
        window.SetUnsavedQuestion([](const QString&) { return 0; });
        window.CloseActiveTab();
        QCOMPARE(window.TabCount(), 1);
        QCOMPARE(asked, 2);
        // The tab before the closed one becomes active; after the first or second, the last.
        window.NewTab();
        window.NewTab();
        window.NewTab();
        window.NewTab();
        window.CloseActiveTab();
        QCOMPARE(window.ActiveTab(), window.Tab(3));
        window.SetActiveTab(1);
        window.CloseActiveTab();
        QCOMPARE(window.ActiveTab(), window.Tab(2));
    }

    void ClosingTheCommandWindowEndsTheProgram()
    {
        tDesktopFixture fixture;
        tCommandWindow& window = fixture.Desktop().CommandWindow();
        window.show();
        window.ActiveTab()->insertPlainText("x = 1");
        window.SetUnsavedQuestion([](const QString&) { return -1; });
        QVERIFY(!window.close());
        QVERIFY(!fixture.Desktop().Application().QuitGranted());
        window.SetUnsavedQuestion([](const QString&) { return 0; });
        QVERIFY(window.close());
        QVERIFY(fixture.Desktop().Application().QuitGranted());
    }

    void JournalAppendsOnlyWhatIsNew()
    {
        tDesktopFixture fixture;
        QVERIFY(fixture.Run(JournalInFolderStatements(fixture)));
        const tSettings& settings = fixture.Desktop().Session().SettingsFileView().Settings();
        QVERIFY(fixture.Run("a = 1"));
        tJournalWindow& journal = fixture.Desktop().JournalWindow();
        QVERIFY(journal.MayClose());
        QVERIFY(fixture.Run("b = 2"));
        QVERIFY(journal.MayClose());
        const QByteArray bytes = FileBytes(QString::fromStdString(settings.JournalFilePath()));
        QCOMPARE(bytes.count("a = 1\n"), 1);
        QVERIFY(bytes.endsWith("a = 1\nb = 2\n"));
        QVERIFY(settings.JournalSaved);
    }

    void JournalWrittenThroughHoldsEveryStatementOnce()
    {
        tDesktopFixture fixture;
        QVERIFY(fixture.Run(JournalInFolderStatements(fixture)));
        const tSettings& settings = fixture.Desktop().Session().SettingsFileView().Settings();
        const QString path = QString::fromStdString(settings.JournalFilePath());
        tJournalWindow& journal = fixture.Desktop().JournalWindow();
        QVERIFY(fixture.Run("a = 1"));
        journal.StartWritingThrough();
        QVERIFY(FileBytes(path).endsWith("a = 1\n"));
        QVERIFY(fixture.Run("b = 2 + _\n  3"));
        // On disk before anything else happens, and nothing left for the close to add.
        QVERIFY(FileBytes(path).endsWith("a = 1\nb = 2 + _\n  3\n"));
        QVERIFY(!fixture.Desktop().Session().JournalView().Modified());
        QVERIFY(journal.MayClose());
        QVERIFY(fixture.Run("c = 4"));
        const QByteArray bytes = FileBytes(path);
        QCOMPARE(bytes.count("a = 1\n"), 1);
        QVERIFY(bytes.startsWith(";*****"));
        QVERIFY(bytes.endsWith("a = 1\nb = 2 + _\n  3\nc = 4\n"));
    }

    void StartShowsShelfAndCommandWindowWithTheWelcomeScript()
    {
        tDesktopFixture fixture;
        QVERIFY(fixture.Desktop().Start({ "zelvora" }));
        tCommandWindow& window = fixture.Desktop().CommandWindow();
        QVERIFY(window.isVisible());
        QVERIFY(fixture.Desktop().Shelf().isVisible());
        const QString welcome = window.Tab(0)->toPlainText();
        QVERIFY2(welcome.contains("0.160821"), qPrintable(welcome));
        QVERIFY(!window.Tab(0)->document()->isModified());
        QCOMPARE(window.windowTitle(), QString("Zelvora's  Mathbook"));
        QCOMPARE(window.NewTab()->toPlainText(), welcome);
        QCOMPARE(window.windowTitle(), QString("Zelvora - Syntax2"));
    }

    void ColouringOfCommentsStringsAndWords()
    {
        tDesktopFixture fixture;
        tCommandWindow& window = fixture.Desktop().CommandWindow();
        Type(window, "x = 1 // note\nb = 1 ; c\n  ; ganz\nLIST \"a//b\"", 0);
        auto colourAt = [&window](int line, int column) {
            const QTextBlock block = window.ActiveTab()->document()->findBlockByNumber(line);
            for (const QTextLayout::FormatRange& range : block.layout()->formats()) {
                if (column >= range.start && column < range.start + range.length)
                    return range.format.foreground().color();
            }
            return QColor();
        };
        const QColor blue(0, 0, 255);
        QCOMPARE(colourAt(0, 6), blue);
        QCOMPARE(colourAt(0, 12), blue);
        QVERIFY(colourAt(0, 4) != blue);
        QVERIFY(colourAt(1, 6) != blue);
        QCOMPARE(colourAt(2, 2), blue);
        QCOMPARE(colourAt(3, 0), QColor(128, 0, 0)); // the command word
        QCOMPARE(colourAt(3, 8), QColor(0, 128, 0)); // "//" inside the string
        // One byte per character, so that the columns of the classes match the editor's.
        QCOMPARE(LineBytes(QString::fromUtf8("ä€→x")), std::string("\xE4\x80?x"));
    }

    void RecentScriptsLeadWithTheOpenTabs()
    {
        tDesktopFixture fixture;
        tCommandWindow& window = fixture.Desktop().CommandWindow();
        tSession& session = fixture.Desktop().Session();
        session.SetRecentScripts({ "alt1.rts", "alt2.rts" });
        const QString path = fixture.Folder() + "neu.rts";
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        QVERIFY(window.OpenScript(path));
        session.SetRecentScripts({ "alt1.rts", "alt2.rts" });
        QVERIFY(window.MayClose());
        const std::vector<std::string> expected { path.toStdString(), "alt1.rts", "alt2.rts" };
        QVERIFY(session.SettingsFileView().Settings().RecentScripts.Entries() == expected);
    }

    void StartParametersOpenAScriptAndRunABatchInTabs()
    {
        tDesktopFixture fixture;
        const QString script = fixture.Folder() + "offen.rts";
        const QString batch = fixture.Folder() + "lauf.rts";
        for (const auto& [path, text] : { std::pair { script, "o = 1" }, { batch, "b = 2" } }) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(text);
        }
        QVERIFY(fixture.Desktop().Start({ "zelvora", "scriptdatei=" + script.toStdString(),
            "batchdatei=" + batch.toStdString() }));
        tCommandWindow& window = fixture.Desktop().CommandWindow();
        QTRY_COMPARE(window.TabCount(), 3);
        QCOMPARE(window.Tab(1)->toPlainText(), QString("o = 1"));
        QCOMPARE(window.Tab(2)->toPlainText(), QString("b = 2"));
        QVERIFY(fixture.Desktop().Session().Variable("b"));
        QVERIFY(!fixture.Desktop().Session().Variable("o"));
    }

    void FunctionMenuInsertsTheSignature()
    {
        tDesktopFixture fixture;
        tCommandWindow& window = fixture.Desktop().CommandWindow();
        Type(window, "", 0);
        QAction* leaf = nullptr;
        QMenu* menu = window.FunctionMenu();
        while (menu && !leaf) {
            QAction* first = menu->actions().front();
            if (first->menu())
                menu = first->menu();
            else
                leaf = first;
        }
        QVERIFY(leaf);
        const QString caption = leaf->text();
        QVERIFY(caption.contains('\t'));
        leaf->trigger();
        QCOMPARE(window.ActiveTab()->toPlainText(),
            caption.left(caption.indexOf('\t')).replace("&&", "&"));
        window.ShowFunctionList(true);
        QVERIFY(window.ActiveTab()->toPlainText().endsWith(
            ";==============================================;"));
    }

    void RunTimeErrorEndsTheRunAndIsShown()
    {
        tDesktopFixture fixture;
        tCommandWindow& window = fixture.Desktop().CommandWindow();
        Type(window, "i = 7 div 0\nj = 1", 0);
        window.ActiveTab()->selectAll();
        window.RunSelection();
        QVERIFY(!window.MessagePanel()->isHidden());
        QCOMPARE(window.MessagePanel()->text(), QString("Division durch Null"));
        QVERIFY(!fixture.Desktop().Session().Variable("j"));
        QVERIFY(!fixture.Desktop().Session().IsBusy());
    }

    void ListingPicturesInTheViewAndTheFiles()
    {
        tDesktopFixture fixture;
        tListingWindow& listing = fixture.Desktop().ListingWindow();
        listing.AppendLines("[1] A = 1", tTextStyle::Command);
        listing.addBitmap({ 2, 2, std::vector<std::uint8_t>(12, 200) });
        QVERIFY(listing.View()->toHtml().contains("<img"));
        const QString html = fixture.Folder() + "listing.html";
        QVERIFY(listing.ExportHtml(html));
        QVERIFY(FileBytes(html).contains("data:image/png;base64,iVBORw0KGgo"));
        QVERIFY(!listing.ExportHtml(fixture.Folder() + "missing/folder/listing.html"));
        // Closing saves the unsaved listing into its RTF file, pictures included.
        tSession& session = fixture.Desktop().Session();
        QVERIFY(fixture.Run(
            "datenpfad = \"" + fixture.Folder().toStdString() + "\"\nListingDname = \"l.rtf\""));
        session.SetListingOn(true);
        QVERIFY(fixture.Run("B = 2"));
        const tSettings& settings = session.SettingsFileView().Settings();
        QVERIFY(listing.MayClose());
        const QByteArray rtf = FileBytes(QString::fromStdString(settings.ListingFilePath()));
        QVERIFY(rtf.startsWith("{\\rtf1"));
        QVERIFY(rtf.contains("\\pngblip"));
        QVERIFY(rtf.contains("] B = 2"));
    }

    void RunsTheShippedExampleFromTheEditor()
    {
        const QString example = QFINDTESTDATA("../../examples/Beispiele/willkommen.rts");
        QVERIFY(!example.isEmpty());
        tDesktopFixture fixture;
        tCommandWindow& window = fixture.Desktop().CommandWindow();
        window.OpenAndRun(example);
        QCOMPARE(window.ActiveTab()->Caption, QString(" willkommen"));
        QVERIFY2(window.MessagePanel()->isHidden(), qPrintable(window.MessagePanel()->text()));
        QVERIFY(fixture.Find("N"));
        QCOMPARE(VarAsInteger(fixture.Variable("N")), 3);
    }

    void Pictures()
    {
        tDesktopFixture fixture;
        tCommandWindow& window = fixture.Desktop().CommandWindow();
        window.ListingSwitch()->trigger();
        Type(window,
            ";H Rotation einer Ladungsmatrix\n"
            "L = {{0.8, 0.3}, {0.7, 0.4}, {0.2, 0.9}} // Ladungen\n"
            "R = Rot(L, \"VARIMAX\")\n"
            "   ; Kommentar nach Leerzeichen\n"
            "LIST R\n"
            "LIST R.GRID\n"
            "s = \"a//b\" + \"c\"\n"
            "v = Inv({{2,0},{0,4}}) * 1.5e-3\n",
            0);
        window.ActiveTab()->selectAll();
        window.RunSelection();
        QVERIFY(fixture.Desktop().ListingWindow().View()->toHtml().contains("<img"));
        Type(window, window.ActiveTab()->toPlainText() + "r = Invv(L)", 8);
        window.RunSelection();
        window.resize(760, 420);
        SavePicture(window, "command_window.png");
        fixture.Desktop().ListingWindow().resize(620, 480);
        SavePicture(fixture.Desktop().ListingWindow(), "listing_window.png");
        fixture.Desktop().JournalWindow().resize(620, 300);
        SavePicture(fixture.Desktop().JournalWindow(), "journal_window.png");
    }
};

} // namespace zelvora::gui::test

QTEST_MAIN(zelvora::gui::test::tCommandWindowTest)
#include "command_window_test.moc"
