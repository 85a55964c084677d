// Reaching the sheet without a mouse or without eyes: lines selected from the input line, the
// recalculation key, and what the accessibility interfaces report of the sheet and the keypad.

#include <QAccessible>
#include <set>
#include <vector>

#include "tests/ui/main_window_fixture.h"
#include "ui/tfmpad.h"

namespace {

QAccessibleTableInterface* SheetTable(MainWindowFixture& f) {
    QAccessibleInterface* sheet = QAccessible::queryAccessibleInterface(f.Grid());
    return sheet ? sheet->tableInterface() : nullptr;
}

QString CellName(MainWindowFixture& f, int row, int col) {
    QAccessibleInterface* cell = SheetTable(f)->cellAt(row, col);
    return cell ? cell->text(QAccessible::Name) : QStringLiteral("(none)");
}

}  // namespace

class KeyboardAccessTest : public QObject {
    Q_OBJECT

private slots:
    void shiftPageKeysSelectLines();
    void recalculationKey();
    void sheetTableReadsLines();
    void keypadKeysPress();
};

// Shift+Page Down/Up grow and shrink the selection from the current line, stop at the sheet's
// ends, leave the current line where it is, and the sum and Shift+Space cover the range.
void KeyboardAccessTest::shiftPageKeysSelectLines() {
    struct Case {
        int start;
        std::vector<Qt::Key> keys;
        int top;
        int bottom;
    };
    const Case cases[] = {
        {4, {Qt::Key_PageDown, Qt::Key_PageDown}, 4, 6},
        {4, {Qt::Key_PageUp, Qt::Key_PageUp, Qt::Key_PageUp}, 1, 4},
        {1, {Qt::Key_PageUp, Qt::Key_PageUp, Qt::Key_PageUp}, 0, 1},
        {98, {Qt::Key_PageDown, Qt::Key_PageDown, Qt::Key_PageDown}, 98, 99},
        {4,
         {Qt::Key_PageDown, Qt::Key_PageDown, Qt::Key_PageUp, Qt::Key_PageUp, Qt::Key_PageUp},
         3,
         4},
    };
    for (const Case& c : cases) {
        MainWindowFixture f([](ExecuteParameter& s) { s.RSUM = 0; });
        const std::set<int> filled = {0, 1, 2, 3, 4, 5, 6, 7, 98, 99};
        for (int line : filled)
            f.Enter(line, QStringLiteral("1"));
        f.Go(c.start);
        for (Qt::Key key : c.keys)
            f.Key(key, Qt::ShiftModifier);
        QCOMPARE(f.Line(), c.start);
        QCOMPARE(f.Grid()->Selection().top, c.top);
        QCOMPARE(f.Grid()->Selection().bottom, c.bottom);
        QCOMPARE(f.Panel(2), QStringLiteral(" n %1").arg(c.bottom - c.top + 1));
        f.Key(Qt::Key_Space, Qt::ShiftModifier);
        for (int line = 0; line < kLineCount; ++line) {
            const bool kept = filled.count(line) && (line < c.top || line > c.bottom);
            QCOMPARE(!f.Formula(line).empty(), kept);
        }
    }
}

// F9 recalculates every line, also when only the edited line is recalculated while typing.
void KeyboardAccessTest::recalculationKey() {
    MainWindowFixture f([](ExecuteParameter& s) { s.RTIME = 0; });
    f.Enter(0, QStringLiteral("2"));
    f.Enter(1, QStringLiteral("A0*10"));
    f.Go(0);
    f.Key(Qt::Key_Backspace);
    f.Type(QStringLiteral("5"));
    QCOMPARE(f.Result(1), std::string("20"));
    f.Key(Qt::Key_F9);
    QCOMPARE(f.Result(1), std::string("50"));
}

void KeyboardAccessTest::sheetTableReadsLines() {
    MainWindowFixture f;
    f.Enter(3, QStringLiteral("12*3"));
    QAccessibleTableInterface* table = SheetTable(f);
    QVERIFY(table);
    QCOMPARE(table->rowCount(), kLineCount);
    QCOMPARE(CellName(f, 3, 0), QStringLiteral("A3"));
    QCOMPARE(CellName(f, 3, 1), QStringLiteral("36"));
    QCOMPARE(CellName(f, 3, 2), QStringLiteral("12*3"));
    const QAccessible::State current = table->cellAt(3, 2)->state();
    QVERIFY(current.selected && current.focused);
    QVERIFY(!table->cellAt(2, 2)->state().selected);
    QCOMPARE(QAccessible::queryAccessibleInterface(f.W().digits)->text(QAccessible::Description),
             QStringLiteral("36"));
}

// Pressing a keypad key through its action does what a click on it does.
void KeyboardAccessTest::keypadKeysPress() {
    MainWindowFixture f([](ExecuteParameter& s) { s.RKAKKO = 1; });
    TFMpad keypad(f.W().PLpad, f.Input(), f.window.get());
    keypad.show();
    QAccessibleInterface* key = QAccessible::queryAccessibleInterface(keypad.functionKeys[1]);
    QVERIFY(key && key->actionInterface());
    QCOMPARE(key->role(), QAccessible::Button);
    key->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(f.Input()->text(), QStringLiteral("sin()"));
    QVERIFY(!keypad.isVisible());
}

QTEST_MAIN(KeyboardAccessTest)
#include "tst_keyboard_access.moc"
