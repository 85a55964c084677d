// Text from an input method, sent as Qt's own input-method events: what it commits meets the
// rules of typed characters, and a composition is committed into its own line before anything
// else acts.

#include <QInputMethodEvent>

#include "tests/ui/main_window_fixture.h"
#include "ui/function_pad.h"

namespace {

void Send(MainWindowFixture& f, const QString& composed, const QString& committed = {}) {
    QInputMethodEvent event(composed, {});
    event.setCommitString(committed);
    QApplication::sendEvent(f.Input(), &event);
}

}  // namespace

class InputMethodTest : public QObject {
    Q_OBJECT

private slots:
    void commitsMeetTypingRules();
    void calculatorModeChainsCommits();
    void compositionStaysOnItsLine();
};

// Every commit marks the sheet modified, as typing does.
void InputMethodTest::commitsMeetTypingRules() {
    const std::string ones(299, '1');
    const struct {
        int amode;
        std::string start;
        const char* committed;
        std::string text;
    } rows[] = {
        {0, "SIN", "（", "SIN()"}, {0, "", "sin", "SIN"},         {0, "", "５−１", "5-1"},
        {0, "", "1　+ 2", "1+2"},  {0, "", "＊３", "3"},          {1, "", "+", "+"},
        {0, "", "計算", "計算"},   {0, ones, "２３", ones + "2"},  // the typing limit
    };
    for (const auto& row : rows) {
        MainWindowFixture f([&](ExecuteParameter& s) { s.AMODE = row.amode; });
        f.Type(QString::fromStdString(row.start));
        Send(f, {}, QString::fromUtf8(row.committed));
        QCOMPARE(f.Formula(0), row.text);
        QVERIFY(f.Modified());
    }
}

void InputMethodTest::calculatorModeChainsCommits() {
    // A commit on an empty line chains from the line above and leaves that line as it was.
    MainWindowFixture f([](ExecuteParameter& s) { s.AMODE = 1; });
    Send(f, {}, QStringLiteral("１＋２"));
    f.Key(Qt::Key_Return);
    Send(f, {}, QStringLiteral("+5"));
    QCOMPARE(f.Formula(1), std::string("A0+2"));
    QCOMPARE(f.Formula(2), std::string("A1+5"));
}

void InputMethodTest::compositionStaysOnItsLine() {
    using Act = void (*)(MainWindowFixture&);
    const struct {
        const char* what;
        Act act;
        const char* line1;  // line 1 after the act; the composition "*10" began on it
        int lineAfter;
    } rows[] = {
        {"wheel", [](MainWindowFixture& f) { f.Wheel(f.Grid(), -120); }, "2*10", 2},
        {"click on another line", [](MainWindowFixture& f) { f.Pick(4); }, "2*10", 4},
        {"function list",
         [](MainWindowFixture& f) {
             QListWidget* list = FindPart<PadList>(f.Pad(), "LBfunc");
             QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                               list->visualItemRect(list->item(1)).center());
         },
         "2*10sin()", 1},
        {"clear button",
         [](MainWindowFixture& f) {
             QTest::mouseClick(f.Part<QToolButton>("BTclear"), Qt::LeftButton);
         },
         "", 1},
        {"menu command", [](MainWindowFixture& f) { f.Action("MMmodecalc")->trigger(); }, "2*10",
         1},
        {"paste", [](MainWindowFixture& f) { emit f.Input()->Pasted(QStringLiteral("+3")); },
         "2*10+3", 1},
        {"focus leaves", [](MainWindowFixture& f) { f.Grid()->setFocus(); }, "2*10", 1},
    };
    for (const auto& row : rows) {
        MainWindowFixture f;
        f.Enter(1, QStringLiteral("2"));
        f.sheet.MarkSaved();
        Send(f, QStringLiteral("*10"));
        // The Shift of a shifted character the input method composes comes through alone.
        f.Key(Qt::Key_Shift, Qt::ShiftModifier);
        row.act(f);
        QVERIFY2(f.Formula(1) == row.line1 && f.Line() == row.lineAfter, row.what);
        QVERIFY2(f.Formula(row.lineAfter == 1 ? 2 : row.lineAfter).empty(), row.what);
        QVERIFY2(f.Modified(), row.what);
        QVERIFY2(!static_cast<FormulaInput*>(f.Input())->Composing(), row.what);
    }
}

QTEST_MAIN(InputMethodTest)
#include "tst_input_method.moc"
