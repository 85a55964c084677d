// Undo and redo through the real main window: the keys reach the sheet from the input line (not
// the line's own undo), the items follow what the sheet can do, and the input line shows the line
// each step brings back.

#include <QTest>

#include "tests/ui/main_window_fixture.h"

class UndoTest : public QObject {
    Q_OBJECT

private slots:
    void keysAndItems();
};

void UndoTest::keysAndItems() {
    const struct {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        const char* sheet;  // lines A0|A1 afterwards
        bool modified;
    } steps[] = {
        {Qt::Key_Z, Qt::ControlModifier, "1+2|A0*4", true},
        {Qt::Key_Y, Qt::ControlModifier, "|", false},
        {Qt::Key_Z, Qt::ControlModifier, "1+2|A0*4", true},
        {Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier, "|", false},
        {Qt::Key_Z, Qt::ControlModifier, "1+2|A0*4", true},
        {Qt::Key_Z, Qt::ControlModifier, "1+2|", true},
    };
    MainWindowFixture f;
    QVERIFY(!f.Action("MMeditundo")->isEnabled() && !f.Action("MMeditredo")->isEnabled());
    f.Type(QStringLiteral("1+2"));
    f.Key(Qt::Key_Return);
    f.Type(QStringLiteral("A0*4"));
    f.Key(Qt::Key_Space, Qt::ControlModifier);
    for (const auto& step : steps) {
        f.Key(step.key, step.modifiers);
        QCOMPARE(f.Formula(0) + "|" + f.Formula(1), std::string(step.sheet));
        QCOMPARE(f.Modified(), step.modified);
        QCOMPARE(f.Input()->text().toStdString(), f.Formula(f.Line()));
        QCOMPARE(f.Result(0).empty(), f.Formula(0).empty());
        QVERIFY(f.Action("MMeditundo")->isEnabled());
        QCOMPARE(f.Action("MMeditredo")->isEnabled(),
                 step.key == Qt::Key_Z && !(step.modifiers & Qt::ShiftModifier));
    }
}

QTEST_MAIN(UndoTest)
#include "tst_undo.moc"
