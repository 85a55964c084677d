// Undo and redo of the sheet through the real main window.

#include <QClipboard>
#include <QGuiApplication>
#include <QTest>
#include <functional>
#include <vector>

#include "tests/ui/main_window_fixture.h"

class UndoTest : public QObject {
    Q_OBJECT

private slots:
    void stepsBackAndForth();
};

// After the changes of each row, each key (z: Ctrl+Z, y: Ctrl+Y, Z: Ctrl+Shift+Z) leaves lines
// A0..A2 and the modified mark as the row says, every formula recalculated.
void UndoTest::stepsBackAndForth() {
    struct Step {
        char key;
        const char* sheet;
        bool modified;
    };
    const struct {
        const char* name;
        std::function<void(MainWindowFixture&)> changes;
        std::vector<Step> steps;
    } rows[] = {
        {"Ctrl+Space",
         [](MainWindowFixture& f) {
             f.Type(QStringLiteral("1+2"));
             f.Key(Qt::Key_Return);
             f.Type(QStringLiteral("A0*4"));
             f.Key(Qt::Key_Space, Qt::ControlModifier);
         },
         {{'z', "1+2|A0*4|", true},
          {'y', "||", false},
          {'z', "1+2|A0*4|", true},
          {'Z', "||", false}}},
        {"pasted column answered Yes, after typing in its first line",
         [](MainWindowFixture& f) {
             f.Enter(1, QStringLiteral("7"));
             f.Key(Qt::Key_Up);
             f.Type(QStringLiteral("1"));
             f.dialogs.AnswerYesNo(true);
             QGuiApplication::clipboard()->setText(QStringLiteral("5\n6\n8"));
             f.Key(Qt::Key_V, Qt::ControlModifier);
         },
         {{'z', "1|7|", true}, {'z', "|7|", true}, {'z', "||", false}, {'y', "|7|", true}}},
        {"typing across lines",
         [](MainWindowFixture& f) {
             for (const char* formula : {"12", "A0+1", "A1*2"}) {
                 f.Type(QString::fromLatin1(formula));
                 f.Key(Qt::Key_Return);
             }
         },
         {{'z', "12|A0+1|", true}, {'z', "12||", true}, {'z', "||", false}, {'y', "12||", true}}},
        {"past the saved state and back",
         [](MainWindowFixture& f) {
             f.Type(QStringLiteral("1"));
             f.Key(Qt::Key_Return);
             f.Type(QStringLiteral("2"));
             f.dialogs.AnswerSave(f.File("saved.tsf"));
             f.Action("MMactionsave")->trigger();
             f.Type(QStringLiteral("3"));
         },
         {{'z', "1|2|", false}, {'z', "1||", true}, {'y', "1|2|", false}, {'y', "1|23|", true}}},
    };
    for (const auto& row : rows) {
        MainWindowFixture f;
        row.changes(f);
        for (const Step& step : row.steps) {
            const auto modifiers = step.key == 'Z' ? Qt::ControlModifier | Qt::ShiftModifier
                                                   : Qt::KeyboardModifiers(Qt::ControlModifier);
            f.Key(step.key == 'y' ? Qt::Key_Y : Qt::Key_Z, modifiers);
            const std::string sheet = f.Formula(0) + "|" + f.Formula(1) + "|" + f.Formula(2);
            QCOMPARE(sheet, step.sheet);
            QCOMPARE(f.W().Modified(), step.modified);
            for (int line = 0; line < 3; ++line)
                QVERIFY2(f.Formula(line).empty() == f.Result(line).empty(), row.name);
            QCOMPARE(f.Input()->text().toStdString(), f.Formula(f.Line()));
            // The undo item is enabled while there is something to undo, the redo item after an
            // undo.
            QCOMPARE(f.Action("MMeditundo")->isEnabled(),
                     std::string(step.sheet) != "||" || step.key != 'z');
            if (step.key == 'z') QVERIFY(f.Action("MMeditredo")->isEnabled());
        }
    }
}

QTEST_MAIN(UndoTest)
#include "tst_undo.moc"
