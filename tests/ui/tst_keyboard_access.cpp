// The windows without a mouse: lines selected from the input line, the recalculation key and
// the Tab order.

#include <QPlainTextEdit>
#include <set>

#include "tests/ui/main_window_fixture.h"
#include "ui/function_pad.h"
#include "ui/tfmsetup.h"

class KeyboardAccessTest : public QObject {
    Q_OBJECT

private slots:
    void shiftPageKeysSelectLines();
    void recalculationKey();
    void tabOrder();
    void listsTakeKeys();
};

// Shift+Page Down/Up grow and shrink the selection from the current line, stop at the sheet's
// ends, leave the current line where it is, and the sum and Shift+Space cover the range.
void KeyboardAccessTest::shiftPageKeysSelectLines() {
    struct Case {
        int start;
        int downs;  // Shift+Page Down presses, then
        int ups;    // Shift+Page Up presses
        int top;
        int bottom;
    };
    const Case cases[] = {
        {4, 2, 0, 4, 6}, {4, 0, 3, 1, 4}, {1, 0, 3, 0, 1}, {98, 3, 0, 98, 99}, {4, 2, 3, 3, 4},
    };
    for (const Case& c : cases) {
        MainWindowFixture f([](ExecuteParameter& s) { s.RSUM = 0; });
        const std::set<int> filled = {0, 1, 2, 3, 4, 5, 6, 7, 98, 99};
        for (int line : filled)
            f.Enter(line, QStringLiteral("1"));
        f.Go(c.start);
        for (int i = 0; i < c.downs + c.ups; ++i)
            f.Key(i < c.downs ? Qt::Key_PageDown : Qt::Key_PageUp, Qt::ShiftModifier);
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

// Tab goes round each window in reading order.
void KeyboardAccessTest::tabOrder() {
    MainWindowFixture f;
    TFMsetup setup(f.settings, f.calculator, f.window.get());
    setup.transparencyAvailable = [] { return true; };
    setup.show();
    struct Case {
        QWidget* window;
        QStringList chain;  // from the focus the window opens with
    };
    const Case cases[] = {
        {f.window.get(), {"EDcalc", "BTclear", "BTrecal", "SGcalc", "LBfunc", "LBconst", "EDcalc"}},
        {&setup, {"BTok",      "BTng",     "CHflash",  "CHask",    "CHrtime", "CHrkakko", "RBall",
                  "RBsel",     "EDketa10", "EDketa16", "RBdegree", "RBrad",   "TBtrans",  "CHtmost",
                  "EDexpcell", "CHexpnum", "CHexpval", "CHexpexp", "MMsiki",  "BTok"}},
    };
    const QString constants = FindPart<QPlainTextEdit>(&setup, "MMsiki")->toPlainText();
    for (const Case& c : cases) {
        QStringList chain{c.window->focusWidget()->objectName()};
        while (chain.size() < c.chain.size()) {
            QTest::keyClick(c.window->focusWidget(), Qt::Key_Tab);
            chain << c.window->focusWidget()->objectName();
        }
        QCOMPARE(chain, c.chain);
    }
    // Tab leaves the constant list without entering a TAB.
    QCOMPARE(FindPart<QPlainTextEdit>(&setup, "MMsiki")->toPlainText(), constants);
}

// A list reached by Tab takes its entry with Return or Space, as a click would, and gives the
// focus back to the input line.
void KeyboardAccessTest::listsTakeKeys() {
    for (Qt::Key take : {Qt::Key_Return, Qt::Key_Space}) {
        MainWindowFixture f([](ExecuteParameter& s) { s.RKAKKO = 1; });
        PadList* functions = FindPart<PadList>(f.Pad(), "LBfunc");
        functions->setFocus(Qt::TabFocusReason);
        QTest::keyClick(functions, Qt::Key_Down);  // from " ( )" to " sin"
        QTest::keyClick(functions, take);
        QCOMPARE(f.Input()->text(), QStringLiteral("sin()"));
        QCOMPARE(f.W().focusWidget(), f.Input());
    }
}

QTEST_MAIN(KeyboardAccessTest)
#include "tst_keyboard_access.moc"
