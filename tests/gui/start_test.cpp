// Start-up of the desktop: start parameters, the settings file with the window places, batch runs.
#include "interpreter/settings_module.h"
#include "support/desktop_fixture.h"
#include "window_placement.h"

#include <QDir>
#include <QFile>
#include <QTest>

namespace zelvora::gui::test {

namespace {

void WriteFile(const QString& path, const QByteArray& text)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(text);
}

} // namespace

class tStartTest : public QObject {
    Q_OBJECT

private slots:
    void MissingScriptEndsTheProgramAfterItsMessage()
    {
        tDesktopFixture fixture;
        QVERIFY(!fixture.Desktop().Start({ "zelvora", "fehlt.rts" }));
        QCOMPARE(fixture.Messages().size(), std::size_t(1));
        QVERIFY(fixture.Messages()[0].starts_with("Startparameter-Fehler\nScriptdatei "));
        QVERIFY(fixture.Messages()[0].find("konnte beim Startaufruf nicht ge\xF6"
                                           "ffnet werden.")
            != std::string::npos);
    }

    void HelpRequestShowsUsageAndStarts()
    {
        tDesktopFixture fixture;
        QVERIFY(fixture.Desktop().Start({ "zelvora", "/h" }));
        QCOMPARE(fixture.Messages().size(), std::size_t(1));
        QVERIFY(fixture.Messages()[0].starts_with(
            "Zelvora-Info\nZelvora starten mit Datei-Parametern"));
    }

    void BatchFileRunsOnceTheEventLoopRuns()
    {
        tDesktopFixture fixture;
        const QString script = fixture.Folder() + "lauf.rts";
        WriteFile(script, "M = {{1,2},{3,4}}\nk = 3\n");
        QVERIFY(fixture.Desktop().Start({ "zelvora", ",", script.toStdString() }));
        QVERIFY(fixture.Messages().empty());
        QVERIFY(!fixture.Find("M"));
        QTRY_VERIFY(fixture.Find("k"));
        QVERIFY(fixture.WindowOf("M"));
    }

    void WindowPlaceIsKeptInTheSettingsFile()
    {
        tDesktopFixture fixture;
        QVERIFY(fixture.Desktop().Start({ "zelvora" }));
        fixture.Shelf().setGeometry(30, 40, 640, 480);
        const std::string iniPath = fixture.Desktop().Session().SettingsFileView().FileToWrite();
        fixture.Restart(); // the program ends and starts again on the same folders
        tIniFile ini;
        QVERIFY(ini.Load(iniPath));
        QCOMPARE(ReadWindowPlace(ini, "Regal", {}), QRect(30, 40, 640, 480));
        QCOMPARE(ini.ReadString("Versionsinfo", "Version", ""), std::string("0.160821 Beta"));
        QVERIFY(fixture.Desktop().Start({ "zelvora" }));
        QCOMPARE(fixture.Shelf().geometry(), QRect(30, 40, 640, 480));
    }

    void UnreadablePlacesFallBack()
    {
        tIniFile ini;
        ini.Parse("[Fenster]\nRegal=1,2,3\nKlein=0,0,10,10\nGut= 5, 6, 300 ,200\n");
        const QRect fallback(1, 1, 100, 100);
        QCOMPARE(ReadWindowPlace(ini, "Regal", fallback), fallback);
        QCOMPARE(ReadWindowPlace(ini, "Klein", fallback), fallback);
        QCOMPARE(ReadWindowPlace(ini, "Fehlt", fallback), fallback);
        QCOMPARE(ReadWindowPlace(ini, "Gut", fallback), QRect(5, 6, 300, 200));
        QCOMPARE(ScreenShare(QRect(0, 0, 1000, 500), 1, 1, 54, 98), QRect(10, 5, 540, 490));
    }
};

} // namespace zelvora::gui::test

QTEST_MAIN(zelvora::gui::test::tStartTest)
#include "start_test.moc"
