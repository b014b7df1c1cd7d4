// A long statement in the desktop: the windows stay alive, the busy look shows, "Stopp" ends it
// quickly, and what would change the store meanwhile is refused.
#include "script_tab.h"
#include "support/desktop_fixture.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QStatusBar>
#include <QTest>
#include <QTimer>

namespace zelvora::gui::test {
namespace {

// A non-symmetric matrix large enough that its similarity sweeps run for many seconds.
constexpr const char* LongScript
    = "A = {{1,2},{3,4}}\n"
      "X, D, T = EigenSys(RandomU(260,260) + Transp(RandomU(260,260)))\n"
      "C = 3";

// What the window thread saw while the statement ran.
struct tDuringRun {
    int ticks = 0; // of a 20 ms timer
    int paints = 0; // of the command window, asked for by the timer
    bool busy = false;
    bool stopEnabled = false;
    bool busyCursor = false;
    QString status;
    bool deleteAllRefused = false;
    bool cellEditRefused = false;
    bool secondRunRefused = false;
    QString shelfStatus;
};

// Counts the paint events of one widget.
class tPaintCounter : public QObject {
public:
    explicit tPaintCounter(int& paints)
        : m_paints(paints)
    {
    }
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++m_paints;
        return false;
    }

private:
    int& m_paints;
};

void SelectAll(tCommandWindow& window, const QString& text)
{
    tScriptTab* tab = window.ActiveTab();
    tab->setPlainText(text);
    tab->selectAll();
}

} // namespace

class tLongRunTest : public QObject {
    Q_OBJECT

private slots:
    void StaysAliveAndStopsWithinASecond()
    {
        tDesktopFixture fixture;
        tDesktop& desktop = fixture.Desktop();
        tCommandWindow& window = desktop.CommandWindow();
        window.resize(760, 420);
        window.show();
        QVERIFY(fixture.Run("M = {{5,6},{7,8}}"));
        tMatrixWindow* matrixWindow = fixture.WindowOf("M");
        QVERIFY(matrixWindow);
        fixture.Shelf().SetDeleteQuestion([](const QString&) { return true; });
        QVERIFY(!window.StopAction()->isEnabled());

        tDuringRun seen;
        tPaintCounter counter(seen.paints);
        window.installEventFilter(&counter);
        QTimer ticker;
        QObject::connect(&ticker, &QTimer::timeout, [&] {
            ++seen.ticks;
            window.update();
        });
        ticker.start(20);
        QElapsedTimer sinceStop;
        QTimer::singleShot(600, [&] {
            seen.busy = desktop.Session().IsBusy();
            seen.stopEnabled = window.StopAction()->isEnabled();
            seen.busyCursor = QApplication::overrideCursor()
                && QApplication::overrideCursor()->shape() == Qt::BusyCursor;
            seen.status = window.statusBar()->currentMessage();
            QVERIFY(window.grab().save(PictureFolder() + "/long-run-busy.png"));
            seen.deleteAllRefused = !fixture.Shelf().DeleteAllMatrices();
            seen.shelfStatus = fixture.Shelf().statusBar()->currentMessage();
            seen.cellEditRefused = matrixWindow->EditRefused();
            seen.secondRunRefused = !fixture.Run("N = 1");
            sinceStop.start();
            window.StopAction()->trigger();
        });

        SelectAll(window, LongScript);
        window.RunSelection();
        const qint64 stopTook = sinceStop.elapsed();
        ticker.stop();

        QVERIFY(seen.busy);
        QVERIFY(seen.stopEnabled);
        QVERIFY(seen.busyCursor);
        QVERIFY2(seen.status.contains("EigenSys(RandomU(260,260)"), qPrintable(seen.status));
        QVERIFY2(seen.ticks >= 10, qPrintable(QString::number(seen.ticks)));
        QVERIFY2(seen.paints >= 5, qPrintable(QString::number(seen.paints)));
        QVERIFY2(stopTook < 1000, qPrintable(QString::number(stopTook)));
        // The shelf left the store alone and said why; no second run started.
        QVERIFY(seen.deleteAllRefused);
        QVERIFY(seen.shelfStatus.contains("Stopp"));
        QVERIFY(seen.cellEditRefused);
        QVERIFY(seen.secondRunRefused);
        QVERIFY(fixture.Find("M"));
        QVERIFY(!fixture.Find("N"));
        // The stop ended the run in the long statement: the message quotes it.
        QVERIFY(fixture.Find("A"));
        QVERIFY(!fixture.Find("X"));
        QVERIFY(!fixture.Find("C"));
        const QString message = window.MessagePanel()->text();
        QVERIFY2(message.contains("Abgebrochen (auf Wunsch des Benutzers)"), qPrintable(message));
        QVERIFY2(message.contains("EigenSys"), qPrintable(message));
        QVERIFY(window.grab().save(PictureFolder() + "/long-run-stopped.png"));
        // The busy look is gone.
        QVERIFY(!desktop.Session().IsBusy());
        QVERIFY(!window.StopAction()->isEnabled());
        QVERIFY(!QApplication::overrideCursor());
        // Now the shelf acts again, through a statement of the journal.
        const tJournal& journal = desktop.Session().JournalView();
        QVERIFY(journal.PlainText().find("DELETE") == std::string::npos);
        QVERIFY(fixture.Shelf().DeleteAllMatrices());
        QVERIFY(!fixture.Find("M"));
        QVERIFY(journal.PlainText().find("DELETE M") != std::string::npos);
    }

    void ClosingDuringARunStopsItFirst()
    {
        tDesktopFixture fixture;
        tDesktop& desktop = fixture.Desktop();
        tCommandWindow& window = desktop.CommandWindow();
        bool closeRefused = false;
        QElapsedTimer sinceClose;
        QTimer::singleShot(300, [&] {
            sinceClose.start();
            closeRefused = !desktop.Application().TryQuit();
        });
        SelectAll(window, LongScript);
        window.RunSelection();
        QVERIFY(closeRefused);
        QVERIFY2(sinceClose.elapsed() < 1000, qPrintable(QString::number(sinceClose.elapsed())));
        QVERIFY(window.MessagePanel()->text().contains("Abgebrochen"));
        // The close waited for the run's end and then went ahead.
        QTRY_VERIFY(desktop.Application().QuitGranted());
    }
};

} // namespace zelvora::gui::test

QTEST_MAIN(zelvora::gui::test::tLongRunTest)
#include "long_run_test.moc"
