// Undo and redo of the sheet through the real main window: keys, the menu items, and the
// modified mark.

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QTest>

#include "tests/ui/main_window_fixture.h"

namespace {

void Undo(MainWindowFixture& f) {
    f.Key(Qt::Key_Z, Qt::ControlModifier);
}

// The formulas of lines 0..count-1, joined by "|".
std::string Sheet(MainWindowFixture& f, int count = 3) {
    std::string sheet;
    for (int line = 0; line < count; ++line)
        sheet += (line ? "|" : "") + f.Formula(line);
    return sheet;
}

}  // namespace

class UndoTest : public QObject {
    Q_OBJECT

private slots:
    void ctrlSpaceIsTakenBack();
    void pasteAnsweredYesIsOneStep();
    void typingIsOneStepPerLine();
    void modifiedMarkFollowsTheSavedState();
};

void UndoTest::ctrlSpaceIsTakenBack() {
    MainWindowFixture f;
    f.Type(QStringLiteral("1+2"));
    f.Key(Qt::Key_Return);
    f.Type(QStringLiteral("A0*4"));
    f.Key(Qt::Key_Space, Qt::ControlModifier);
    QCOMPARE(Sheet(f), "||");
    QVERIFY(!f.W().Modified());

    Undo(f);
    QCOMPARE(Sheet(f), "1+2|A0*4|");
    QCOMPARE(f.Result(1), "12");
    QCOMPARE(f.Line(), 1);
    QCOMPARE(f.Input()->text(), QStringLiteral("A0*4"));
    QVERIFY(f.W().Modified());

    f.Key(Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(Sheet(f), "||");
    QVERIFY(!f.W().Modified());
    Undo(f);
    f.Key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(Sheet(f), "||");
}

void UndoTest::pasteAnsweredYesIsOneStep() {
    MainWindowFixture f;
    f.Enter(1, QStringLiteral("7"));
    f.Key(Qt::Key_Up);
    f.Type(QStringLiteral("1"));
    f.dialogs.AnswerYesNo(true);
    QGuiApplication::clipboard()->setText(QStringLiteral("5\n6\n8"));
    f.Key(Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(Sheet(f), "15|6|8");

    // The typing before the paste stays, and goes by the next step.
    const struct {
        const char* sheet;
        int line;
    } steps[] = {{"1|7|", 0}, {"|7|", 0}, {"||", 1}};
    for (const auto& step : steps) {
        Undo(f);
        QCOMPARE(Sheet(f), step.sheet);
        QCOMPARE(f.Line(), step.line);
    }
    QVERIFY(!f.W().MMeditundo->isEnabled());
    QVERIFY(f.W().MMeditredo->isEnabled());
}

void UndoTest::typingIsOneStepPerLine() {
    MainWindowFixture f;
    QVERIFY(!f.W().MMeditundo->isEnabled());
    for (const QString& formula :
         {QStringLiteral("12"), QStringLiteral("A0+1"), QStringLiteral("A1*2")}) {
        f.Type(formula);
        f.Key(Qt::Key_Return);
    }
    QVERIFY(f.W().MMeditundo->isEnabled());
    const char* back[] = {"12|A0+1|", "12||", "||"};
    for (const char* sheet : back) {
        f.W().MMeditundo->trigger();
        QCOMPARE(Sheet(f), sheet);
    }
    QCOMPARE(f.Line(), 0);
    f.W().MMeditredo->trigger();
    f.W().MMeditredo->trigger();
    QCOMPARE(Sheet(f), "12|A0+1|");
    QCOMPARE(f.Result(1), "13");
    // A change now leaves nothing to redo.
    f.Type(QStringLiteral("9"));
    QVERIFY(!f.W().MMeditredo->isEnabled());
}

void UndoTest::modifiedMarkFollowsTheSavedState() {
    MainWindowFixture f;
    f.Type(QStringLiteral("1"));
    f.Key(Qt::Key_Return);
    f.Type(QStringLiteral("2"));
    f.dialogs.AnswerSave(f.File("saved.tsf"));
    f.W().MMactionsave->trigger();
    f.Type(QStringLiteral("3"));

    const struct {
        const char* sheet;
        bool modified;
    } back[] = {{"1|2|", false}, {"1||", true}, {"||", true}},
      forth[] = {{"1||", true}, {"1|2|", false}, {"1|23|", true}};
    for (const auto& step : back) {
        Undo(f);
        QCOMPARE(Sheet(f), step.sheet);
        QCOMPARE(f.W().Modified(), step.modified);
    }
    for (const auto& step : forth) {
        f.Key(Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(Sheet(f), step.sheet);
        QCOMPARE(f.W().Modified(), step.modified);
    }
}

QTEST_MAIN(UndoTest)
#include "tst_undo.moc"
