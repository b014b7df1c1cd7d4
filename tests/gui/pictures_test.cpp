// Renders the shelf with three matrix windows and the scalar window, and the started program for
// the software centre, to PNG files to be looked at.
#include "scalar_window.h"
#include "support/desktop_fixture.h"
#include "window_picture.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QTest>

namespace zelvora::gui::test {

class tPicturesTest : public QObject {
    Q_OBJECT

private slots:
    void ShelfWithThreeMatrixWindowsAndScalars()
    {
        tDesktopFixture fixture;
        QVERIFY(fixture.Run("A = {{1,2,3,4},{5,6,7,8},{9,10,11,12}} * 0.5\n"
                            "Namen = {{\"Ulme\",\"Kastanie\"},{\"Birke\",\"Ahorn\"}}\n"
                            "R = 1..6\n"
                            "n = 42\nwurzel2 = Wurzel(2)\ngut = 1 > 0\nText = \"Regal\""));
        QVERIFY(fixture.Run("POSITION A = {{10, 10}}\nPOSITION Namen = {{420, 40}}\n"
                            "POSITION R = {{120, 230}}"));
        QTest::qWait(50);

        const QString folder = PictureFolder();
        const QImage shelf = fixture.Shelf().grab().toImage();
        QVERIFY(shelf.save(folder + "/shelf.png"));
        auto* scalars = fixture.Shelf().findChild<tScalarWidget*>();
        QVERIFY(scalars);
        const QImage scalarImage = scalars->grab().toImage();
        QVERIFY(scalarImage.save(folder + "/scalar-window.png"));

        // Both windows where they stand on the screen.
        const QRect all = fixture.Shelf().frameGeometry().united(scalars->geometry());
        QImage desktop(all.size(), QImage::Format_RGB32);
        desktop.fill(QColor(40, 60, 80));
        QPainter painter(&desktop);
        painter.drawImage(fixture.Shelf().geometry().topLeft() - all.topLeft(), shelf);
        painter.drawImage(scalars->geometry().topLeft() - all.topLeft(), scalarImage);
        painter.end();
        QVERIFY(desktop.save(folder + "/desktop.png"));

        tMatrixWindow* window = fixture.WindowOf("A");
        QVERIFY(ImageOfPicture(window->Picture(tPictureMode::Grid)).save(folder + "/A-grid.png"));
        QVERIFY(
            ImageOfPicture(window->Picture(tPictureMode::Window)).save(folder + "/A-window.png"));
        qInfo("pictures in %s", qPrintable(folder));
    }

    // The started program with a few matrices and scalars: the picture the software centre shows
    // (tools/make-screenshot.sh copies it into the package's sources).
    void StartedDesktopForTheSoftwareCentre()
    {
        tDesktopFixture fixture;
        tDesktop& desktop = fixture.Desktop();
        QVERIFY(desktop.Start({ "zelvora" }));
        QVERIFY(fixture.Run("A = {{4,1,2},{1,3,0},{2,0,5}}\nB = Inv(A)\nE, V = EigenSys(A)\n"
                            "C = A * B"));
        QVERIFY(fixture.Run(
            "POSITION A = {{10, 10}}\nPOSITION B = {{10, 150}}\n"
            "POSITION V = {{10, 290}}\nPOSITION E = {{10, 430}}\nPOSITION C = {{10, 570}}"));
        QTest::qWait(50);

        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        QImage picture(screen.size(), QImage::Format_RGB32);
        picture.fill(QColor(40, 60, 80));
        QPainter painter(&picture);
        for (QWidget* window : std::initializer_list<QWidget*> { &desktop.Shelf(),
                 &desktop.JournalWindow(), &desktop.ListingWindow(), &desktop.CommandWindow() }) {
            if (window->isVisible())
                painter.drawImage(
                    window->geometry().topLeft() - screen.topLeft(), window->grab().toImage());
        }
        painter.end();
        QVERIFY(picture.save(PictureFolder() + "/screenshot.png"));
    }
};

} // namespace zelvora::gui::test

QTEST_MAIN(zelvora::gui::test::tPicturesTest)
#include "pictures_test.moc"
