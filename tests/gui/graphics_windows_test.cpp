// The graphics windows on screen: ZEICHNE shows them, the rotation turns and stops, the colour
// list refuses what the matrix cannot give, and the scatterplot keeps its picture for LIST GRAPH.
#include "support/desktop_fixture.h"
#include "window_picture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGuiApplication>
#include <QScreen>
#include <QSpinBox>
#include <QTest>

namespace zelvora::gui::test {
namespace {

const char* const Loadings = "L = {{0.8,0.2,0.1},{0.1,0.9,0.3},{0.3,0.3,0.85},{-0.5,0.4,0.2},"
                             "{0.6,-0.6,0.1}}";

// Saves a window's picture where the test run keeps its pictures, for a look by eye.
void SavePicture(QWidget& window, const QString& name)
{
    const QString folder = qEnvironmentVariable("ZELVORA_PICTURE_DIR");
    if (folder.isEmpty())
        return;
    QDir().mkpath(folder);
    QVERIFY(window.grab().save(folder + "/" + name + ".png"));
}

bool HasColour(const QImage& image, QRgb colour)
{
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if ((image.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF))
                return true;
        }
    }
    return false;
}

} // namespace

class tGraphicsWindowsTest : public QObject {
    Q_OBJECT

private slots:
    void AnimateShowsTheVectorsOfEachRow()
    {
        tDesktopFixture fixture;
        QVERIFY(fixture.Run(Loadings));
        QVERIFY(fixture.Run("ZEICHNE ANIMATE = L"));
        tAnimationWindow& window = fixture.Desktop().VectorAnimation();
        QVERIFY(window.isVisible());
        QCOMPARE(window.windowTitle(), QString("Zelvora's Vector Animation"));
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QImage& frame = window.FrameImage();
        const int half = window.Drawing().Half();
        QVERIFY(half > 50);
        QCOMPARE(frame.pixel(2, 2) & 0xFFFFFF, 0xC0C0C0u); // grey background
        QCOMPARE(frame.pixel(half + 20, half) & 0xFFFFFF, 0u); // the horizontal axis
        QVERIFY(HasColour(frame, qRgb(16, 64, 32))); // row 1 in its palette colour
        QVERIFY(HasColour(window.Legend()->Image(), qRgb(80, 64, 160))); // row 5 in the legend
        SavePicture(window, "vector_animation");
    }

    void RotationTurnsAndTheLegendStopsIt()
    {
        tDesktopFixture fixture;
        QVERIFY(fixture.Run(Loadings));
        QVERIFY(fixture.Run("ZEICHNE ANIMATE = L"));
        tAnimationWindow& window = fixture.Desktop().VectorAnimation();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const long double before = window.Drawing().Work()(1, 2);
        window.Fineness()->setValue(5);
        window.RotateBox()->setChecked(true);
        QTRY_VERIFY(window.Drawing().Work()(1, 2) != before);
        QCOMPARE(window.Drawing().State(), tAnimationState::Rotating);

        // A new matrix while it turns: taken over, and it goes on turning.
        QVERIFY(fixture.Run("ZEICHNE ANIMATE = {{0.3,0.3,0.3},{0.1,-0.7,0.2}}"));
        QCOMPARE(window.Drawing().RowCount(), 2);
        QCOMPARE(window.Drawing().State(), tAnimationState::Rotating);

        QTest::mouseDClick(window.Legend(), Qt::LeftButton);
        QTRY_COMPARE(window.Drawing().State(), tAnimationState::Idle);
        QVERIFY(window.RotateBox()->isChecked()); // unchecked and checked again restarts it
        window.RotateBox()->setChecked(false);
        window.RotateBox()->setChecked(true);
        QTRY_COMPARE(window.Drawing().State(), tAnimationState::Rotating);
        SavePicture(window, "vector_animation_turned");
        window.close();
        QCOMPARE(window.Drawing().State(), tAnimationState::Idle);
    }

    void CloudRefusesLoadingColoursForTwoColumns()
    {
        tDesktopFixture fixture;
        QVERIFY(fixture.Run("ZEICHNE CLOUDANIMATE = {{0.5,0.5},{-0.2,0.7}}"));
        tAnimationWindow& cloud = fixture.Desktop().CloudAnimation();
        QCOMPARE(cloud.windowTitle(), QString("Zelvora's Cloud Animation"));
        cloud.ColourModes()->setCurrentIndex(1);
        QCOMPARE(cloud.ColourModes()->currentIndex(), 0);
        QVERIFY(!cloud.StatusText().isEmpty());

        QVERIFY(fixture.Run(Loadings));
        QVERIFY(fixture.Run("ZEICHNE CLOUD = L"));
        QVERIFY(cloud.StatusText().isEmpty());
        cloud.ColourModes()->setCurrentIndex(1);
        QCOMPARE(cloud.Drawing().ColourMode(), tColourMode::FactorLoadings);
        QVERIFY(QTest::qWaitForWindowExposed(&cloud));
        const tRgb first = cloud.Drawing().RowColour(1);
        QVERIFY(first != PaletteColour(1));
        QVERIFY(HasColour(cloud.FrameImage(), qRgb(first.Red, first.Green, first.Blue)));
        SavePicture(cloud, "cloud_animation");
    }

    void WindowsStartOnTheRightOfTheScreen()
    {
        tDesktopFixture fixture;
        QVERIFY(fixture.Desktop().Start({ "zelvora" }));
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        for (QWidget* window : { static_cast<QWidget*>(&fixture.Desktop().VectorAnimation()),
                 static_cast<QWidget*>(&fixture.Desktop().CloudAnimation()),
                 static_cast<QWidget*>(&fixture.Desktop().Scatterplot()),
                 static_cast<QWidget*>(&fixture.Desktop().Scree()) }) {
            // On the right half, or moved left only as far as its least width needs to fit.
            QVERIFY(window->geometry().left() > screen.width() / 2
                || window->geometry().right() == screen.right());
            QVERIFY(screen.contains(window->geometry()));
            QVERIFY(window->isHidden()); // shown by ZEICHNE or Eigenwertbild only
        }
    }

    void ScatterplotKeepsItsPictureForTheListing()
    {
        tDesktopFixture fixture;
        tGraphicsPort* graphics = &fixture.Desktop().Graphics();
        QVERIFY(!graphics->ScatterplotPicture());
        QVERIFY(fixture.Run("X = {{-1,0,1,2},{0.5,1.5,-0.5,3}}\nY = {{2,-1,0.5,1},{1,2,-1,0}}"));
        QVERIFY(fixture.Run("ZEICHNE SCAT = X, Y"));
        tScatterplotWindow& window = fixture.Desktop().Scatterplot();
        QVERIFY(window.isVisible());
        QCOMPARE(window.windowTitle(), QString("Scatterplot"));
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(HasColour(window.Image(), qRgb(128, 0, 128)));
        QVERIFY(HasColour(window.Image(), qRgb(0, 0, 0)));
        const auto picture = graphics->ScatterplotPicture();
        QVERIFY(picture);
        QCOMPARE(picture->Width, window.Image().width());
        SavePicture(window, "scatterplot");

        QVERIFY(!fixture.Run("ZEICHNE SCAT = X, {{1,2}}")); // refused: the picture stays
        QVERIFY(HasColour(window.Image(), qRgb(128, 0, 128)));
    }

    void ScreeWindowShowsEigenvaluesAndPercentiles()
    {
        tDesktopFixture fixture;
        QVERIFY(fixture.Run("E = {3.1, 1.7, 0.9, 0.6, 0.4, 0.3}\n"
                            "P = {1.45, 1.3, 1.18, 1.08, 0.98, 0.88}\n"
                            "k1, kp = Eigenwertbild(E, P)"));
        tScreeWindow& window = fixture.Desktop().Scree();
        QVERIFY(window.isVisible());
        QCOMPARE(window.windowTitle(), QString("Screeplot"));
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(window.Plot().Eigenvalues().size(), std::size_t(6));
        QVERIFY(HasColour(window.Image(), qRgb(0, 60, 170))); // the eigenvalues
        QVERIFY(HasColour(window.Image(), qRgb(200, 30, 30))); // the percentiles
        SavePicture(window, "scree");

        // Resized, the picture is drawn anew at the window's size.
        window.resize(640, 480);
        QTRY_COMPARE(window.Image().width(), 640);
        QVERIFY(!fixture.Run("Eigenwertbild(E, {1, 2})")); // refused: the picture stays
        QCOMPARE(window.Plot().Percentiles().size(), std::size_t(6));
    }
};

} // namespace zelvora::gui::test

QTEST_MAIN(zelvora::gui::test::tGraphicsWindowsTest)
#include "graphics_windows_test.moc"
