// The shelf: compartments and FACH, its menus, the scalar window, the input line and the quit
// check.
#include "scalar_window.h"
#include "script_tab.h"
#include "support/desktop_fixture.h"
#include "variables/display_list.h"

#include <QLineEdit>
#include <QMdiArea>
#include <QMenu>
#include <QTableWidget>
#include <QTest>

namespace zelvora::gui::test {

namespace {

QAction* MenuItem(QMenu& menu, const QString& text)
{
    for (QAction* action : menu.actions())
        if (action->text() == text)
            return action;
    return nullptr;
}

QStringList CompartmentCaptions(const tShelfWindow& shelf)
{
    QStringList captions;
    for (int i = 0; i < shelf.CompartmentCount(); ++i)
        captions << shelf.CompartmentCaption(i);
    return captions;
}

} // namespace

class tShelfTest : public QObject {
    Q_OBJECT

private slots:
    void FachAddsActivatesAndMovesWindows()
    {
        tDesktopFixture fixture;
        tShelfWindow& shelf = fixture.Shelf();
        QCOMPARE(shelf.windowTitle(), QStringLiteral("Zelvora's Matrizen-Regal"));
        QVERIFY(fixture.Run("A = {{1}}\nFACH ADD\nB = {{2}}"));
        QCOMPARE(CompartmentCaptions(shelf), QStringList({ "Fach 1", "Fach 2" }));
        QCOMPARE(shelf.ActiveCompartmentIndex(), 1);
        QCOMPARE(fixture.WindowOf("B")->Window()->mdiArea(), shelf.Compartment(1));

        QVERIFY(fixture.Run("FACH 1\nFACH GET B"));
        QCOMPARE(shelf.ActiveCompartmentIndex(), 0);
        QCOMPARE(fixture.WindowOf("B")->Window()->mdiArea(), shelf.Compartment(0));
        QVERIFY(fixture.WindowOf("B")->Window()->isVisible());
        QCOMPARE(shelf.WindowsOn(0).size(), std::size_t(2));
        QVERIFY(shelf.WindowsOn(1).empty());

        QVERIFY(fixture.Run("FACH 7")); // no such compartment: nothing happens
        QCOMPARE(shelf.ActiveCompartmentIndex(), 0);
    }

    void DeletingACompartmentClosesItsWindows()
    {
        tDesktopFixture fixture;
        tShelfWindow& shelf = fixture.Shelf();
        shelf.DeleteActiveCompartment(); // the only one stays
        QCOMPARE(shelf.CompartmentCount(), 1);

        QVERIFY(fixture.Run("FACH ADD\nFACH ADD\nFACH 2\nA = {{1}}\nB = {{2}}"));
        shelf.DeleteActiveCompartment();
        QCOMPARE(CompartmentCaptions(shelf), QStringList({ "Fach 1", "Fach 3" }));
        QCOMPARE(shelf.ActiveCompartmentIndex(), 0);
        QVERIFY(fixture.Find("A")); // the variables stay, hidden
        QVERIFY(!fixture.WindowOf("A"));
        QVERIFY(fixture.Store().Item(fixture.Desktop().Session().VariableIndex("A")).hidden);
        shelf.AddCompartment();
        QCOMPARE(CompartmentCaptions(shelf), QStringList({ "Fach 1", "Fach 3", "Fach 4" }));
        QVERIFY(fixture.Run("DISPLAY A"));
        QCOMPARE(fixture.WindowOf("A")->Window()->mdiArea(), shelf.Compartment(2));
    }

    void MatricesMenu()
    {
        tDesktopFixture fixture;
        tShelfWindow& shelf = fixture.Shelf();
        QMenu& menu = *shelf.MatricesMenu();
        QCOMPARE(menu.actions().size(), 3);
        QVERIFY(fixture.Run("A = {{1,2}}\nR = 1..3\nx = 5\nC = {{3}}"));
        // A separator, then one entry per matrix window (A, R, C).
        QCOMPARE(menu.actions().size(), 7);
        QVERIFY(menu.actions()[3]->isSeparator());
        QCOMPARE(menu.actions()[4]->text(), QStringLiteral("A"));

        // An entry brings its window back from another compartment's page.
        QVERIFY(fixture.Run("FACH ADD"));
        menu.actions()[4]->trigger();
        QCOMPARE(shelf.ActiveCompartmentIndex(), 0);

        int asked = 0;
        shelf.SetDeleteQuestion([&asked](const QString&) { return ++asked > 0; });
        MenuItem(menu, QString::fromUtf8("alle &Schließen (Matrix löschen)"))->trigger();
        QCOMPARE(asked, 1);
        QVERIFY(!fixture.Find("A"));
        QVERIFY(!fixture.Find("C"));
        QVERIFY(fixture.Find("R"));
        QVERIFY(fixture.Find("x"));
        QCOMPARE(menu.actions().size(), 5); // the entries of A and C went with their windows

        MenuItem(menu, QStringLiteral("alle &Verbergen"))->trigger();
        QVERIFY(!fixture.WindowOf("R"));
        QVERIFY(fixture.Find("R"));
        QCOMPARE(menu.actions().size(), 4);
    }

    void ScalarWindowListsScalars()
    {
        tDesktopFixture fixture;
        QVERIFY(!fixture.Store().HasScalarWindow());
        QVERIFY(fixture.Run("x = 5\nname = \"Regal\"\nx = 2.5"));
        auto* widget = fixture.Shelf().findChild<tScalarWidget*>();
        QVERIFY(widget);
        QVERIFY(widget->isVisible());
        QCOMPARE(widget->windowTitle(), QStringLiteral("Skalare Variable"));
        const QTableWidget& grid = *widget->Grid();
        QCOMPARE(grid.rowCount(), 3);
        QCOMPARE(grid.item(1, 0)->text(), QStringLiteral("x"));
        QCOMPARE(grid.item(1, 1)->text(), QStringLiteral("2.5"));
        QCOMPARE(grid.item(2, 1)->text(), QStringLiteral("Regal"));
        QCOMPARE(grid.columnWidth(0), 6 * 4 + 18); // the longest name, "name"

        QVERIFY(fixture.Run("POSITION x = {{30, 40}}"));
        QCOMPARE(widget->geometry().topLeft(), QPoint(30, 40));

        widget->close(); // the user cannot close it
        QVERIFY(widget->isVisible());
        QVERIFY(fixture.Run("DELETE x\nDELETE name"));
        QVERIFY(!fixture.Store().HasScalarWindow());
        QVERIFY(!fixture.Shelf().findChild<tScalarWidget*>());
    }

    // Statements are written in the command window; the shelf's "&Run!" runs the one under its
    // caret, and the input line stays hidden.
    void RunMenuRunsTheCommandWindowStatement()
    {
        tDesktopFixture fixture;
        QVERIFY(fixture.Shelf().InputLine()->isHidden());
        fixture.Desktop().CommandWindow().ActiveTab()->setPlainText("a = 4711");
        emit fixture.Shelf().RunRequested();
        QVERIFY(fixture.Find("a"));
    }

    void ClosingTheShelfAsksTheQuitCheck()
    {
        tDesktopFixture fixture;
        bool allow = false;
        int asked = 0;
        fixture.Desktop().Application().AddQuitCheck([&] {
            ++asked;
            return allow;
        });
        QVERIFY(!fixture.Shelf().close());
        QVERIFY(fixture.Shelf().isVisible());
        QCOMPARE(asked, 1);
        QVERIFY(!fixture.Desktop().Application().QuitGranted());
        allow = true;
        QVERIFY(fixture.Shelf().close());
        QCOMPARE(asked, 2);
        QVERIFY(fixture.Desktop().Application().QuitGranted());
    }
};

} // namespace zelvora::gui::test

QTEST_MAIN(zelvora::gui::test::tShelfTest)
#include "shelf_test.moc"
