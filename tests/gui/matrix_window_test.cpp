// Matrix windows: what a statement shows, cell editing with Enter and Escape, closing, copying.
#include "support/desktop_fixture.h"
#include "ui/matrix_window_text.h"
#include "variables/display_list.h"

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QLineEdit>
#include <QMdiArea>
#include <QMenu>
#include <QStatusBar>
#include <QTest>

namespace zelvora::gui::test {

namespace {

QString CellText(tMatrixWindow& window, int row, int col)
{
    const QAbstractItemModel* model = window.Grid()->model();
    return model->data(model->index(row - 1, col - 1), Qt::DisplayRole).toString();
}

// Opens the cell's editor as a double click would and gives back its line.
QLineEdit* OpenEditor(tMatrixWindow& window, int row, int col)
{
    tMatrixGridView* grid = window.Grid();
    const QModelIndex cell = grid->model()->index(row - 1, col - 1);
    grid->setCurrentIndex(cell);
    grid->edit(cell);
    return grid->findChild<QLineEdit*>();
}

} // namespace

class tMatrixWindowTest : public QObject {
    Q_OBJECT

private slots:
    void StatementShowsCaptionSizeAndCells()
    {
        tDesktopFixture fixture;
        QVERIFY(fixture.Run("A = {{1,2,3,4},{5,6,7,8},{9,10,11,12}} * 0.5"));
        tMatrixWindow* window = fixture.WindowOf("A");
        QVERIFY(window);
        QCOMPARE(window->Window()->windowTitle(), QStringLiteral("A 3x4"));
        QVERIFY(window->Window()->isVisible());
        QCOMPARE(window->Window()->mdiArea(), fixture.Shelf().Compartment(0));
        QCOMPARE(window->Grid()->model()->rowCount(), 3);
        QCOMPARE(window->Grid()->model()->columnCount(), 4);
        QCOMPARE(window->Grid()->CornerText(), QStringLiteral("3x4"));
        QCOMPARE(window->Grid()->model()->headerData(2, Qt::Vertical).toInt(), 3);
        QCOMPARE(CellText(*window, 2, 3).trimmed(), QStringLiteral("3.500"));
        QCOMPARE(CellText(*window, 3, 4).trimmed(), QStringLiteral("6.000"));

        // Sized to its grid: header column, four columns of the default width, the frame.
        const int colWidth = fixture.Shelf().DefaultColumnWidth();
        QCOMPARE(window->Grid()->columnWidth(0), colWidth);
        QCOMPARE(window->Bounds().Width, GridHeaderColumnWidth + (colWidth + 1) * 4 + 57);
        QCOMPARE(window->Bounds().Height, GridRowHeight + (GridRowHeight + 1) * 3 + 57);

        QVERIFY(fixture.Run("POSITION A = {{-5, 20, 300, 200}}"));
        QCOMPARE(window->Window()->geometry(), QRect(0, 20, 300, 200));

        // Another size: caption and grid follow; the window is laid out again.
        QVERIFY(fixture.Run("A = {{1,2}}"));
        QCOMPARE(fixture.WindowOf("A"), window);
        QCOMPARE(window->Window()->windowTitle(), QStringLiteral("A 1x2"));
        QCOMPARE(window->Grid()->CornerText(), QStringLiteral("1x2"));
        QCOMPARE(window->Bounds().Height, GridRowHeight + (GridRowHeight + 1) * 1 + 57);
    }

    void LargeMatrixKeepsTheWindowInsideTheShelf()
    {
        tDesktopFixture fixture;
        QVERIFY(fixture.Run("B = RandomU(2000, 2000)"));
        tMatrixWindow* window = fixture.WindowOf("B");
        QVERIFY(window);
        QCOMPARE(window->Grid()->model()->rowCount(), 2000);
        const tClientSize client = fixture.Shelf().ActiveCompartmentClientSize();
        QVERIFY(window->Bounds().Width <= client.Width - 32);
        QVERIFY(window->Bounds().Height <= client.Height - 32);
        QVERIFY(!CellText(*window, 2000, 2000).trimmed().isEmpty());
    }

    void EnterStoresTheEditedValue()
    {
        tDesktopFixture fixture;
        QVERIFY(fixture.Run("A = {{1,2},{3,4}} * 0.5"));
        tMatrixWindow* window = fixture.WindowOf("A");
        QLineEdit* editor = OpenEditor(*window, 1, 2);
        QVERIFY(editor);
        QCOMPARE(editor->text(), QStringLiteral("1"));
        editor->setText(QStringLiteral("2.5"));
        QTest::keyClick(editor, Qt::Key_Return);
        QCoreApplication::processEvents(); // the grid commits after the key
        QCOMPARE(fixture.Variable("A").matrix(1, 2), 2.5L);
        QCOMPARE(CellText(*window, 1, 2), QStringLiteral(" 2.500"));
        // The next refresh shows the cell in the copy layout's format again.
        QVERIFY(fixture.Run("SETOPTIONS DfltDezweite = 1\nA = A"));
        QCOMPARE(CellText(*window, 1, 2).trimmed(), QStringLiteral("2.5"));
    }

    void EscapeRestoresValueAndText()
    {
        tDesktopFixture fixture;
        QVERIFY(fixture.Run("A = {{1,2},{3,4}}"));
        tMatrixWindow* window = fixture.WindowOf("A");
        const QString before = CellText(*window, 2, 1);
        QLineEdit* editor = OpenEditor(*window, 2, 1);
        QVERIFY(editor);
        editor->setText(QStringLiteral("99"));
        QTest::keyClick(editor, Qt::Key_Escape);
        QCOMPARE(fixture.Variable("A").matrix(2, 1), 3.0L);
        QCOMPARE(CellText(*window, 2, 1), before);
    }

    void TextThatIsNoNumberIsRefusedWithANote()
    {
        tDesktopFixture fixture;
        QVERIFY(fixture.Run("A = {{1,2}}"));
        tMatrixWindow* window = fixture.WindowOf("A");
        QLineEdit* editor = OpenEditor(*window, 1, 1);
        QVERIFY(editor);
        editor->setText(QStringLiteral("zwei"));
        QTest::keyClick(editor, Qt::Key_Return);
        QCoreApplication::processEvents();
        QCOMPARE(fixture.Variable("A").matrix(1, 1), 1.0L);
        QCOMPARE(CellText(*window, 1, 1).trimmed(), QStringLiteral("1"));
        QVERIFY(fixture.Shelf().statusBar()->currentMessage().contains(
            QStringLiteral("\"zwei\" ist keine Zahl")));
    }

    void ClosingByUserAndByCommand()
    {
        tDesktopFixture fixture;
        QVERIFY(fixture.Run("A = {{1,2}}\nB = {{3}}"));
        QCOMPARE(fixture.Shelf().WindowsOn(0).size(), std::size_t(2));
        const int menuEntries = static_cast<int>(fixture.Shelf().MatricesMenu()->actions().size());

        // By the user: the variable stays, hidden; assigning it again opens no window.
        fixture.WindowOf("A")->Window()->close();
        QVERIFY(!fixture.WindowOf("A"));
        QVERIFY(fixture.Find("A"));
        QCOMPARE(fixture.Shelf().MatricesMenu()->actions().size(), menuEntries - 1);
        QVERIFY(fixture.Run("A = {{5,6}}"));
        QVERIFY(!fixture.WindowOf("A"));
        QVERIFY(fixture.Run("DISPLAY A"));
        QVERIFY(fixture.WindowOf("A"));
        QCOMPARE(CellText(*fixture.WindowOf("A"), 1, 2).trimmed(), QStringLiteral("6"));

        // By command, and the windows of variables after a deleted one keep their cells.
        QVERIFY(fixture.Run("HIDE B"));
        QVERIFY(!fixture.WindowOf("B"));
        QVERIFY(fixture.Run("C = {{7}}\nDELETE A"));
        QCOMPARE(CellText(*fixture.WindowOf("C"), 1, 1).trimmed(), QStringLiteral("7"));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(fixture.Shelf().WindowsOn(0).size(), std::size_t(1));
    }

    void CopyMenuAndPictures()
    {
        tDesktopFixture fixture;
        QVERIFY(fixture.Run("A = {{1,2},{3,4}}"));
        tMatrixWindow* window = fixture.WindowOf("A");
        auto* menu = window->Grid()->findChild<QMenu*>();
        QVERIFY(menu);
        QAction* tex = nullptr;
        QAction* copy = nullptr;
        for (QAction* action : menu->actions()) {
            if (action->text() == QStringLiteral("--> TeX"))
                tex = action;
            if (action->text() == QStringLiteral("Kopieren"))
                copy = action;
        }
        QVERIFY(tex && copy);
        tex->trigger();
        const QString texText = QApplication::clipboard()->text();
        QVERIFY(texText.contains('&'));
        QApplication::clipboard()->clear();
        copy->trigger(); // the scheme stays in the copy layout
        QCOMPARE(QApplication::clipboard()->text(), texText);

        // Ctrl+C: the window's picture with the dark blue title strip and the cyan box.
        QTest::keyClick(window->Grid(), Qt::Key_C, Qt::ControlModifier);
        const QImage picture = QApplication::clipboard()->image();
        QCOMPARE(picture.width(), window->Window()->width());
        QCOMPARE(picture.height(), window->Window()->height() + 14);
        QCOMPARE(picture.pixelColor(picture.width() - 3, 3), QColor(0, 0, 128));
        QCOMPARE(picture.pixelColor(2, 2), QColor(0, 128, 128));

        const tPicture grid = window->Picture(tPictureMode::Grid);
        const QRect area = window->Grid()->VisibleDataArea();
        QCOMPARE(grid.Width, area.width());
        QCOMPARE(grid.Height, area.height());
        QCOMPARE(grid.Height, 2 * GridRowHeight);
    }
};

} // namespace zelvora::gui::test

QTEST_MAIN(zelvora::gui::test::tMatrixWindowTest)
#include "matrix_window_test.moc"
