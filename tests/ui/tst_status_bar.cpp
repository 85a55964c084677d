// Picking and selecting lines in the grid, the wheel, the current line's number cell, and the
// status bar following a drag (what the panels show is the sheet's summary, tested with it).

#include "expr/format_value.h"
#include "tests/ui/main_window_fixture.h"

namespace {

// A window tall enough to show lines 0 to 12.
void Tall(ExecuteParameter& s) {
    s.HEIGHT = 700;
}

}  // namespace

class StatusBarTest : public QObject {
    Q_OBJECT

private slots:
    void panelsFollowDrag();
    void dragUpwardsKeepsCurrentUntilRelease();
    void pressOnNumberCellChangesNothing();
    void gridKeysWrapAndKeepFocus();
    void currentNumberCellColours();
    void wheel_data();
    void wheel();
    void wheelOverInputLine();
};

void StatusBarTest::panelsFollowDrag() {
    MainWindowFixture f([](ExecuteParameter& s) {
        Tall(s);
        s.RSUM = 0;
    });
    for (int line = 1; line <= 4; ++line)
        f.Enter(line, QString::number(line));
    f.Press(1, 2);
    f.MoveHeld(2, 2);
    QCOMPARE(f.Panel(0), QStringLiteral(" Sum 3"));
    QCOMPARE(f.Panel(2), QStringLiteral(" n 2"));
    f.MoveHeld(4, 2);
    QCOMPARE(f.Panel(0), QStringLiteral(" Sum 10"));
    QCOMPARE(f.Panel(1), QStringLiteral(" Avg. 2.5"));
    QCOMPARE(f.Panel(2), QStringLiteral(" n 4"));
    f.Release(4, 2);
    // After the release the panels keep their texts, whatever the mouse does.
    f.MoveHeld(1, 2);
    QCOMPARE(f.Panel(0), QStringLiteral(" Sum 10"));
}

void StatusBarTest::dragUpwardsKeepsCurrentUntilRelease() {
    MainWindowFixture f([](ExecuteParameter& s) {
        Tall(s);
        s.RSUM = 0;
    });
    f.Enter(7, QStringLiteral("70"));
    f.Enter(10, QStringLiteral("10*10"));
    f.Enter(0, QStringLiteral("1"));
    f.Press(10, 2);
    f.MoveHeld(7, 2);
    QCOMPARE(f.Grid()->Selection().top, 7);
    QCOMPARE(f.Grid()->Selection().bottom, 10);
    QCOMPARE(f.Grid()->Row(), 10);
    QCOMPARE(f.Input()->text(), QStringLiteral("1"));
    f.Release(7, 2);
    QCOMPARE(f.Line(), 10);
    QCOMPARE(f.Input()->text(), QStringLiteral("10*10"));
    QCOMPARE(QApplication::focusWidget(), f.Input());
    QCOMPARE(f.Panel(0), QStringLiteral(" Sum 170"));
}

void StatusBarTest::pressOnNumberCellChangesNothing() {
    MainWindowFixture f(Tall);
    f.Enter(2, QStringLiteral("22"));
    f.Enter(5, QStringLiteral("55"));
    for (int col : {0, 1}) {
        f.Press(2, col);
        f.Release(2, col);
        QCOMPARE(f.Line(), 5);
        QCOMPARE(f.Input()->text(), QStringLiteral("55"));
        QCOMPARE(f.Grid()->Selection().top, 5);
    }
}

// The grid's own keys move the line with wrap-around and leave the focus in the grid, where a
// screen reader reads the line; the input line shows it.
void StatusBarTest::gridKeysWrapAndKeepFocus() {
    MainWindowFixture f;
    f.Enter(99, QStringLiteral("9"));
    f.Grid()->setFocus();
    QTest::keyClick(f.Grid(), Qt::Key_Down);
    QCOMPARE(f.Line(), 0);
    QTest::keyClick(f.Grid(), Qt::Key_Up);
    QCOMPARE(f.Line(), 99);
    QCOMPARE(f.Input()->text(), QStringLiteral("9"));
    QCOMPARE(QApplication::focusWidget(), f.Grid());
}

void StatusBarTest::currentNumberCellColours() {
    MainWindowFixture f(Tall);
    f.Pick(4);
    for (int line : {0, 3, 4, 5, 99}) {
        const CellProperty* number = f.grid.CellAt(0, line);
        if (line == 4) {
            QCOMPARE(number->style.color, PlatformColor(0x313131));
            QCOMPARE(number->fontColor, PlatformColor(0x00CEFF));
        } else {
            QCOMPARE(number->style.color, f.Grid()->FixedColor());
            QCOMPARE(number->fontColor, PlatformColor(0x80000008));
        }
    }
    f.Key(Qt::Key_Down);
    QCOMPARE(f.grid.CellAt(0, 5)->style.color, PlatformColor(0x313131));
    QCOMPARE(f.grid.CellAt(0, 4)->style.color, f.Grid()->FixedColor());
}

void StatusBarTest::wheel_data() {
    QTest::addColumn<int>("from");
    QTest::addColumn<QList<int>>("deltas");
    QTest::addColumn<int>("to");
    const struct {
        const char* dataTag;
        int from;
        QList<int> deltas;
        int to;
    } rows[] = {
        {"one notch down", 5, QList<int>({-120}), 6},
        {"one notch up", 5, QList<int>({120}), 4},
        {"three notches at once", 5, QList<int>({-360}), 8},
        {"half notches add up", 5, QList<int>({-60, -60, -60}), 6},
        {"up at line 0", 0, QList<int>({120}), 0},
        {"down at line 99", 99, QList<int>({-120}), 99},
    };
    for (const auto& row : rows)
        QTest::newRow(row.dataTag) << row.from << row.deltas << row.to;
}

void StatusBarTest::wheel() {
    QFETCH(int, from);
    QFETCH(QList<int>, deltas);
    QFETCH(int, to);
    MainWindowFixture f;
    f.Enter(to, QStringLiteral("321"));
    f.Go(from);
    for (int delta : deltas)
        f.Wheel(f.Grid()->viewport(), delta);
    QCOMPARE(f.Line(), to);
    QCOMPARE(f.Input()->text(), QStringLiteral("321"));
}

void StatusBarTest::wheelOverInputLine() {
    MainWindowFixture f;
    f.Wheel(f.Input(), -240);
    QCOMPARE(f.Line(), 2);
    f.Wheel(f.Part<QWidget>("PLresult"), 120);
    QCOMPARE(f.Line(), 1);
}

QTEST_MAIN(StatusBarTest)
#include "tst_status_bar.moc"
