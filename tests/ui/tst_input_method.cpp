// Text from an input method: what it commits meets the rules of typed characters, and a
// composition is committed into its own line before anything else acts. The commits are
// Qt's own input-method events, as a framework sends them.

#include <QInputMethodEvent>
#include <functional>

#include "tests/ui/main_window_fixture.h"
#include "ui/function_pad.h"

namespace {

void Compose(MainWindowFixture& f, const QString& text) {
    QInputMethodEvent event(text, {});
    QApplication::sendEvent(f.Input(), &event);
}

void Commit(MainWindowFixture& f, const QString& text) {
    QInputMethodEvent event;
    event.setCommitString(text);
    QApplication::sendEvent(f.Input(), &event);
}

}  // namespace

class InputMethodTest : public QObject {
    Q_OBJECT

private slots:
    void closedOnTheInputLine();
    void commitsMeetTypingRules_data();
    void commitsMeetTypingRules();
    void commitsMarkModified();
    void calculatorModeChainsCommits();
    void compositionStaysOnItsLine_data();
    void compositionStaysOnItsLine();
};

void InputMethodTest::closedOnTheInputLine() {
    MainWindowFixture f;
    QVERIFY(!f.Input()->inputMethodQuery(Qt::ImEnabled).toBool());
    QLineEdit other;
    QVERIFY(other.inputMethodQuery(Qt::ImEnabled).toBool());
}

void InputMethodTest::commitsMeetTypingRules_data() {
    QTest::addColumn<int>("amode");
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("committed");
    QTest::addColumn<QString>("text");
    const struct {
        const char* dataTag;
        int amode;
        const char* start;
        const char* committed;
        const char* text;
    } rows[] = {
        {"full-width parenthesis completes", 0, "SIN", "（", "SIN()"},
        {"lower case becomes upper", 0, "", "sin", "SIN"},
        {"minus sign becomes minus", 0, "", "５−１", "5-1"},
        {"blanks of both widths dropped", 0, "", "1　+ 2", "1+2"},
        {"formula cannot start with an operator", 0, "", "＊３", "3"},
        {"calculator mode on line 0 takes +", 1, "", "+", "+"},
        {"Japanese text goes in as it is", 0, "", "計算", "計算"},
    };
    for (const auto& row : rows)
        QTest::newRow(row.dataTag)
            << row.amode << QString::fromUtf8(row.start) << QString::fromUtf8(row.committed)
            << QString::fromUtf8(row.text);
}

void InputMethodTest::commitsMeetTypingRules() {
    QFETCH(int, amode);
    QFETCH(QString, start);
    QFETCH(QString, committed);
    QFETCH(QString, text);
    MainWindowFixture f([&](ExecuteParameter& s) { s.AMODE = amode; });
    f.Type(start);
    Commit(f, committed);
    QCOMPARE(f.Input()->text(), text);
    QCOMPARE(QString::fromStdString(f.Formula(0)), text);
}

void InputMethodTest::commitsMarkModified() {
    // The typing limit holds too: a commit fills the line up to it.
    MainWindowFixture f;
    f.grid.CellAt(2, 1)->text = std::string(299, '1');
    f.Pick(1);
    QVERIFY(!f.W().Modified());
    Commit(f, QStringLiteral("２３"));
    QCOMPARE(f.Formula(1), std::string(299, '1') + "2");
    QVERIFY(f.W().Modified() && f.W().MMactionsave->isVisible());
}

void InputMethodTest::calculatorModeChainsCommits() {
    // A commit on an empty line chains from the line above, as typing does, and leaves that
    // line as it was.
    MainWindowFixture f([](ExecuteParameter& s) { s.AMODE = 1; });
    Commit(f, QStringLiteral("１＋２"));
    f.Key(Qt::Key_Return);
    Commit(f, QStringLiteral("+5"));
    QCOMPARE(f.Formula(0), std::string("1"));
    QCOMPARE(f.Formula(1), std::string("A0+2"));
    QCOMPARE(f.Formula(2), std::string("A1+5"));
    QCOMPARE(f.Value(2), Extended(8));
}

void InputMethodTest::compositionStaysOnItsLine_data() {
    QTest::addColumn<std::function<void(MainWindowFixture&)>>("act");
    QTest::addColumn<QString>("line1");
    QTest::addColumn<int>("lineAfter");
    QTest::addColumn<QString>("textAfter");
    using Act = std::function<void(MainWindowFixture&)>;
    const struct {
        const char* dataTag;
        Act act;
        const char* line1;  // line 1 after the act; the composition "*10" began on it
        int lineAfter;
        const char* textAfter;  // the input line after the act
    } rows[] = {
        {"wheel", [](MainWindowFixture& f) { f.Wheel(f.Grid(), -120); }, "2*10", 2, ""},
        {"click on another line", [](MainWindowFixture& f) { f.Pick(4); }, "2*10", 4, ""},
        {"Down key", [](MainWindowFixture& f) { f.Key(Qt::Key_Down); }, "2*10", 2, ""},
        {"function list",
         [](MainWindowFixture& f) {
             QListWidget* list = f.W().PLpad->LBfunc;
             QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                               list->visualItemRect(list->item(1)).center());
         },
         "2*10sin()", 1, "2*10sin()"},
        {"clear button",
         [](MainWindowFixture& f) { QTest::mouseClick(f.W().BTclear, Qt::LeftButton); }, "", 1, ""},
        {"menu command", [](MainWindowFixture& f) { f.W().MMmodecalc->trigger(); }, "2*10", 1,
         "2*10"},
        {"paste", [](MainWindowFixture& f) { f.W().EDcalcPaste(QStringLiteral("+3")); }, "2*10+3",
         1, "2*10+3"},
        {"focus leaves the line", [](MainWindowFixture& f) { f.Grid()->setFocus(); }, "2*10", 1,
         "2*10"},
    };
    for (const auto& row : rows)
        QTest::newRow(row.dataTag) << row.act << QString::fromUtf8(row.line1) << row.lineAfter
                                   << QString::fromUtf8(row.textAfter);
}

void InputMethodTest::compositionStaysOnItsLine() {
    QFETCH(std::function<void(MainWindowFixture&)>, act);
    QFETCH(QString, line1);
    QFETCH(int, lineAfter);
    QFETCH(QString, textAfter);
    MainWindowFixture f;
    f.Enter(1, QStringLiteral("2"));
    f.W().SetModified(false);
    Compose(f, QStringLiteral("*10"));
    // The Shift of a shifted character the input method composes comes through alone.
    f.Key(Qt::Key_Shift, Qt::ShiftModifier);
    QVERIFY(static_cast<FormulaInput*>(f.Input())->Composing());
    act(f);
    QCOMPARE(QString::fromStdString(f.Formula(1)), line1);
    QCOMPARE(f.Line(), lineAfter);
    QCOMPARE(f.Input()->text(), textAfter);
    QCOMPARE(f.Formula(lineAfter == 1 ? 2 : lineAfter), std::string());
    QVERIFY(f.W().Modified());
    // Nothing composed is left to come back later.
    QVERIFY(!static_cast<FormulaInput*>(f.Input())->Composing());
}

QTEST_MAIN(InputMethodTest)
#include "tst_input_method.moc"
