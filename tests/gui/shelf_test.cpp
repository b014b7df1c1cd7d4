// The shelf window: compartments, input line, matrix windows.
#include "support/desktop_fixture.h"

#include <QLineEdit>
#include <QMdiArea>
#include <QTest>

namespace zelvora::gui::test {

class tShelfTest : public QObject {
    Q_OBJECT

private slots:
    void InputLineRunsStatements()
    {
        tDesktopFixture fixture;
        QLineEdit* line = fixture.Desktop().Shelf().InputLine()->Editor();
        line->setText("a = 4711");
        QTest::keyClick(line, Qt::Key_Return);
        QVERIFY(fixture.Desktop().Session().Store().Find("a"));
    }
};

} // namespace zelvora::gui::test

QTEST_MAIN(zelvora::gui::test::tShelfTest)
#include "shelf_test.moc"
