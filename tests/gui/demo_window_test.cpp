// The demo window: stepping through demos with "Next", "Rechne" and break, the shipped demos, the
// "Basis-Demo" item, and pictures of the window for a look.
#include "interpreter/settings_module.h"
#include "support/desktop_fixture.h"

#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

namespace zelvora::gui::test {

namespace {

// What the window showed at one wait.
struct tWaitSeen {
    QString Step; // "Next" or "Rechne"
    QString Titles;
    QColor BarColour;
    std::size_t Blocks = 0;
};

// Answers every wait of the demo window while a demo plays: records what it shows, lets the test
// act (press a key, take a picture), then presses "Next" unless the action returned false.
class tDemoDriver {
public:
    using tAction = std::function<bool(tDemoWindow&, std::size_t wait)>;

    tDemoDriver(tDemoWindow& window, tAction action = {})
        : m_window(window)
        , m_action(std::move(action))
    {
        QObject::connect(&m_timer, &QTimer::timeout, &m_timer, [this] { Tick(); });
        m_timer.start(1);
    }
    std::vector<tWaitSeen> Seen;

private:
    void Tick()
    {
        if (!m_window.IsWaiting())
            return;
        Seen.push_back({ m_window.StepText(), m_window.PaneText(0), m_window.StepBarColour(),
            m_window.BlockPaneCount() });
        if (m_action && !m_action(m_window, Seen.size() - 1))
            return;
        if (m_window.IsWaiting())
            m_window.NextButton()->click();
    }

    tDemoWindow& m_window;
    tAction m_action;
    QTimer m_timer;
};

QString WriteFile(const QString& path, const QByteArray& text)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return {};
    file.write(text);
    return path;
}

void SavePicture(QWidget& widget, const QString& name)
{
    const QString folder = qEnvironmentVariable("ZELVORA_PICTURE_DIR", QDir::tempPath());
    QDir().mkpath(folder);
    QVERIFY(widget.grab().save(folder + '/' + name));
}

// Makes a directory the working directory for as long as it lives.
class tWorkingDirectory {
public:
    explicit tWorkingDirectory(const QString& path)
        : m_previous(QDir::currentPath())
    {
        QDir::setCurrent(path);
    }
    ~tWorkingDirectory() { QDir::setCurrent(m_previous); }

private:
    QString m_previous;
};

std::string DemoStatement(const QString& path)
{
    return "DEMO \"" + path.toStdString() + "\"";
}

} // namespace

class tDemoWindowTest : public QObject {
    Q_OBJECT

private slots:
    void StepsThroughPagesAndRunsCodeBlocks()
    {
        tDesktopFixture fixture;
        tDemoWindow& window = fixture.Desktop().DemoWindow();
        const QString path = WriteFile(fixture.Folder() + "probe.zvd",
            "@D Probe\n@K Erstes Kapitel\n@F Seite eins\n@T\nErst lesen.\n@C\nA = {1,2}\n"
            "@F Seite zwei\n@C\nB = A * 2\n@T\nFertig.\n");
        bool codeRan = true;
        QString caption;
        QString codePane;
        QColor textColour;
        QColor codeColour;
        tDemoDriver driver(window, [&](tDemoWindow& w, std::size_t wait) {
            if (wait == 1) { // at "Rechne" the code has not run yet
                codeRan = fixture.Desktop().Session().Variable("A");
                caption = w.windowTitle();
                codePane = w.PaneText(2);
                textColour = w.PaneColour(1);
                codeColour = w.PaneColour(2);
            }
            return true;
        });
        QVERIFY(fixture.Run(DemoStatement(path)));
        QVERIFY(!codeRan);
        QCOMPARE(caption, QStringLiteral("Probe"));
        QCOMPARE(codePane, QStringLiteral("A = {1,2}"));
        QCOMPARE(textColour, tDemoWindow::AreaColour); // the text block read before
        QCOMPARE(codeColour, tDemoWindow::MarkedCodeColour);
        QVERIFY(fixture.Desktop().Session().Variable("B"));
        QVERIFY(!window.isVisible());
        QStringList steps;
        for (const tWaitSeen& seen : driver.Seen)
            steps << seen.Step;
        QCOMPARE(steps, QStringList({ "Next", "Rechne", "Next", "Rechne", "Next", "Next" }));
        QCOMPARE(driver.Seen[1].BarColour, tDemoWindow::RechneBarColour);
        QCOMPARE(driver.Seen[2].BarColour, tDemoWindow::NextBarColour);
        QCOMPARE(driver.Seen[0].Titles, QStringLiteral("Erstes Kapitel\nSeite eins"));
        QCOMPARE(driver.Seen[3].Titles, QStringLiteral("Erstes Kapitel\nSeite zwei"));
    }

    void EscapeAtRechneEndsTheDemoWithoutRunningTheCode()
    {
        tDesktopFixture fixture;
        tDemoWindow& window = fixture.Desktop().DemoWindow();
        const QString path
            = WriteFile(fixture.Folder() + "esc.zvd", "@K K\n@F S\n@C\nA = 1\n@C\nB = 2\n");
        tDemoDriver driver(window, [](tDemoWindow& w, std::size_t) {
            QTest::keyClick(&w, Qt::Key_Escape);
            return false;
        });
        QVERIFY(fixture.Run(DemoStatement(path)));
        QCOMPARE(driver.Seen.size(), std::size_t(1));
        QVERIFY(!fixture.Desktop().Session().Variable("A"));
        QVERIFY(!window.isVisible());
    }

    void ClosingTheWindowEndsTheDemo()
    {
        tDesktopFixture fixture;
        tDemoWindow& window = fixture.Desktop().DemoWindow();
        const QString path
            = WriteFile(fixture.Folder() + "zu.zvd", "@K K\n@F S\n@T\nText\n@C\nA = 1\n");
        tDemoDriver driver(window, [](tDemoWindow& w, std::size_t) {
            w.close();
            return false;
        });
        QVERIFY(fixture.Run(DemoStatement(path)));
        QVERIFY(!fixture.Desktop().Session().Variable("A"));
    }

    void ShippedDemosPlayToTheEnd()
    {
        for (const char* name : { "Basisinfo.zvd", "Faktorenanalyse.zvd" }) {
            tDesktopFixture fixture;
            tWorkingDirectory working(fixture.Folder()); // the files the demo writes go there
            tDemoWindow& window = fixture.Desktop().DemoWindow();
            window.resize(640, 760);
            const QString path = QFINDTESTDATA(QStringLiteral("../../examples/Demos/") + name);
            QVERIFY(!path.isEmpty());
            // Pictures: the factor analysis demo at its VARIMAX block, before and after it ran.
            tDemoDriver driver(window, [&](tDemoWindow& w, std::size_t) {
                if (w.PaneText(0).endsWith("VARIMAX") && w.BlockPaneCount() > 1)
                    SavePicture(w,
                        w.StepText() == "Rechne" ? "demo-varimax-rechne.png"
                                                 : "demo-varimax-next.png");
                return true;
            });
            QVERIFY2(fixture.Run(DemoStatement(path)), name);
            QVERIFY(driver.Seen.size() > 20);
        }
    }

    void RichTextDemoKeepsItsFormatting()
    {
        tDesktopFixture fixture;
        tDemoWindow& window = fixture.Desktop().DemoWindow();
        window.resize(560, 300);
        const QString path = WriteFile(fixture.Folder() + "rich.zvd",
            "{\\rtf1\\ansi{\\colortbl ;\\red200\\green0\\blue0;}\n"
            "@D Formatiert\\par @K \\i Kapitel\\i0\\par @F Seite\\par @T\\par "
            "Ein \\b fettes\\b0 , ein \\i schr\\'e4ges\\i0  und ein \\cf1 rotes\\cf0  Wort."
            "\\par @C\\par A = 1\\par }");
        QString text;
        tDemoDriver driver(window, [&](tDemoWindow& w, std::size_t wait) {
            if (wait == 0) {
                text = w.PaneText(1);
                SavePicture(w, "demo-rich-text.png");
            }
            return true;
        });
        QVERIFY(fixture.Run(DemoStatement(path)));
        QCOMPARE(text, QString::fromUtf8("Ein fettes, ein schräges und ein rotes Wort."));
    }

    void StartParameterPlaysADemo()
    {
        tDesktopFixture fixture;
        tDemoWindow& window = fixture.Desktop().DemoWindow();
        const QString demos = QString::fromStdString(
            fixture.Desktop().Session().SettingsFileView().Settings().DemoDirectory());
        QVERIFY(QDir().mkpath(demos));
        WriteFile(demos + "start.zvd", "@K K\n@F S\n@C\nGestartet = 1\n");
        tDemoDriver driver(window);
        QVERIFY(fixture.Desktop().Start({ "zelvora", "demodatei=start.zvd" }));
        QTRY_VERIFY(fixture.Desktop().Session().Variable("Gestartet"));
        QTRY_VERIFY(!window.isVisible());
    }

    void BasisDemoItemPlaysTheIntroduction()
    {
        tDesktopFixture fixture;
        tDemoWindow& window = fixture.Desktop().DemoWindow();
        window.resize(640, 760);
        const QString demos = QString::fromStdString(
            fixture.Desktop().Session().SettingsFileView().Settings().DemoDirectory());
        QVERIFY(QDir().mkpath(demos));
        QVERIFY(QFile::copy(
            QFINDTESTDATA("../../examples/Demos/Basisinfo.zvd"), demos + "Basisinfo.zvd"));
        QString caption;
        tDemoDriver driver(window, [&](tDemoWindow& w, std::size_t wait) {
            caption = w.windowTitle();
            if (wait == 0)
                SavePicture(w, "demo-basisinfo-first-page.png");
            if (wait < 2)
                return true;
            w.BreakButton()->click();
            return false;
        });
        tWorkingDirectory working(fixture.Folder());
        fixture.Desktop().PlayBasisDemo(); // the item names the file in lower case
        QCOMPARE(caption, QString::fromUtf8("Zelvora – Basisinfo"));
        QVERIFY(fixture.Desktop().Session().Variable("x")); // the first code block ran
        QCOMPARE(driver.Seen.size(), std::size_t(3));
    }
};

} // namespace zelvora::gui::test

QTEST_MAIN(zelvora::gui::test::tDemoWindowTest)
#include "demo_window_test.moc"
