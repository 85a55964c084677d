#include <QAccessible>
#include <QtTest>

#include "desktop/grid_accessible.h"
#include "desktop/grid_widget.h"

// The sheet's grid as a screen reader sees it when the window reads its lines whole.
class GridAccessibleTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QAccessible::installFactory(GridAccessibleFactory); }
    void linesReadWholeAndSelectionSpoken();
};

void GridAccessibleTest::linesReadWholeAndSelectionSpoken() {
    GridWidget grid;
    grid.SetColCount(3);
    grid.SetRowCount(6);
    grid.SetFixedCols(2);
    grid.SetFixedRows(0);
    grid.SetRangeSelect(true);
    grid.SetRow(0);
    grid.lineReading = [](int row) { return QStringLiteral("A%1, line").arg(row); };
    int sums = 0;
    grid.selectionReading = [&sums] { return QStringLiteral(" Sum %1").arg(++sums); };
    grid.resize(300, 200);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));

    QAccessibleInterface* sheet = QAccessible::queryAccessibleInterface(&grid);
    QAccessibleTableInterface* table = sheet->tableInterface();
    QCOMPARE(table->columnCount(), 1);
    QCOMPARE(table->cellAt(4, 0)->text(QAccessible::Name), QStringLiteral("A4, line"));
    QCOMPARE(table->cellAt(4, 0)->rect().width(),
             grid.CellRect(2, 4).right - grid.CellRect(0, 4).left);
    QAccessibleInterface* note = sheet->child(sheet->childCount() - 1)->child(0);
    QCOMPARE(note->role(), QAccessible::Notification);
    QCOMPARE(sheet->childAt(note->rect().x(), note->rect().y()), nullptr);

    const auto drawn = [&grid] { grid.viewport()->repaint(); };
    const struct {
        const char* step;
        std::function<void()> act;
        int sums;  // the selection read out so many times
        int current;
    } steps[] = {
        {"selection grows around the current line", [&] { grid.SelectRows(0, 2); }, 1, 0},
        {"and shrinks", [&] { grid.SelectRows(0, 1); }, 2, 0},
        {"a move of the current line reads the line, not the sum", [&] { grid.SetRow(3); }, 2, 3},
        {"nothing changed", [] {}, 2, 3},
    };
    for (const auto& s : steps) {
        s.act();
        drawn();
        QVERIFY2(sums == s.sums, s.step);
        QVERIFY2(table->cellAt(s.current, 0)->state().focused, s.step);
    }
    QCOMPARE(note->text(QAccessible::Name), QStringLiteral(" Sum 2"));
}

QTEST_MAIN(GridAccessibleTest)
#include "tst_grid_accessible.moc"
