// The input line: the character rules, the line moves and clearing keys, calculator mode, and
// storing every change into the current line.

#include "tests/ui/main_window_fixture.h"
#include "ui/formula_input.h"
#include "ui/function_pad.h"

class InputLineTest : public QObject {
    Q_OBJECT

private slots:
    void typedKeysFollowTheRules();
    void nonAsciiPassesUnchanged();
    void fullWidthStoredHalfWidth();
    void ctrlLettersStayCommands();
    void returnMovesDown_data();
    void returnMovesDown();
    void arrowsStopAtEnds_data();
    void arrowsStopAtEnds();
    void caretGoesIntoFirstEmptyPair();
    void calculatorChainsThenComputes();
    void shiftSpaceClearsSelection_data();
    void shiftSpaceClearsSelection();
    void ctrlSpaceEmptiesSheetKeepingFile_data();
    void ctrlSpaceEmptiesSheetKeepingFile();
    void typingMarksModified();
    void programChangesDoNotMarkModified();
    void typingLimit();
    void longTextFollowsThePointer();
};

// The keys go through the typing rules into the current line, caret included.
void InputLineTest::typedKeysFollowTheRules() {
    MainWindowFixture f;
    f.Type(QStringLiteral("sin (30)+ ("));
    QCOMPARE(f.Input()->text(), QStringLiteral("SIN(30)+()"));
    QCOMPARE(f.Input()->cursorPosition(), 9);
    QCOMPARE(f.Formula(0), std::string("SIN(30)+()"));
}

void InputLineTest::nonAsciiPassesUnchanged() {
    MainWindowFixture f;
    f.TypeCharacter(QStringLiteral("あ"));
    f.TypeCharacter(QStringLiteral("ｱ"));
    QCOMPARE(f.Input()->text(), QStringLiteral("あｱ"));
    QCOMPARE(f.Formula(0), std::string("あｱ"));
}

void InputLineTest::fullWidthStoredHalfWidth() {
    MainWindowFixture f;
    for (const QString& c :
         {QStringLiteral("１"), QStringLiteral("２"), QStringLiteral("＋"), QStringLiteral("３")}) {
        f.TypeCharacter(c);
    }
    QCOMPARE(f.Input()->text(), QStringLiteral("１２＋３"));
    QCOMPARE(f.Formula(0), std::string("12+3"));
    QCOMPARE(f.Result(0), std::string("15"));
    // A full-width sign outside the table is stored as typed.
    f.TypeCharacter(QStringLiteral("×"));
    QCOMPARE(f.Formula(0), std::string("12+3×"));
}

void InputLineTest::ctrlLettersStayCommands() {
    MainWindowFixture f;
    f.Type(QStringLiteral("12"));
    f.Key(Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(f.Input()->text(), QStringLiteral("12"));
    QCOMPARE(f.Input()->selectedText(), QStringLiteral("12"));
    f.Type(QStringLiteral("7"));
    QCOMPARE(f.Input()->text(), QStringLiteral("7"));
}

void InputLineTest::returnMovesDown_data() {
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    const struct {
        const char* dataTag;
        int from;
        int to;
    } rows[] = {
        {"line 42", 42, 43},
        {"line 0", 0, 1},
        {"line 99 stays", 99, 99},
    };
    for (const auto& row : rows)
        QTest::newRow(row.dataTag) << row.from << row.to;
}

void InputLineTest::returnMovesDown() {
    QFETCH(int, from);
    QFETCH(int, to);
    MainWindowFixture f;
    if (to != from) f.Enter(to, QStringLiteral("6*7"));
    f.Enter(from, QStringLiteral("1"));
    f.Key(Qt::Key_Return);
    QCOMPARE(f.Line(), to);
    QCOMPARE(f.Input()->text(), QString::fromStdString(f.Formula(to)));
    QCOMPARE(f.Formula(from), std::string("1"));
    if (to != from) QCOMPARE(f.Input()->text(), QStringLiteral("6*7"));
}

void InputLineTest::arrowsStopAtEnds_data() {
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("to");
    const struct {
        const char* dataTag;
        int from;
        int key;
        int to;
    } rows[] = {
        {"up", 5, int(Qt::Key_Up), 4},
        {"down", 5, int(Qt::Key_Down), 6},
        {"up at line 0", 0, int(Qt::Key_Up), 0},
        {"down at line 99", 99, int(Qt::Key_Down), 99},
    };
    for (const auto& row : rows)
        QTest::newRow(row.dataTag) << row.from << row.key << row.to;
}

void InputLineTest::arrowsStopAtEnds() {
    QFETCH(int, from);
    QFETCH(int, key);
    QFETCH(int, to);
    MainWindowFixture f;
    f.Enter(from, QStringLiteral("8"));
    f.sheet.MarkSaved();
    f.Key(Qt::Key(key));
    QCOMPARE(f.Line(), to);
    QCOMPARE(f.Formula(from), std::string("8"));
    QVERIFY(!f.Modified());
}

void InputLineTest::caretGoesIntoFirstEmptyPair() {
    MainWindowFixture f([](ExecuteParameter& s) { s.RKAKKO = 0; });
    f.Enter(2, QStringLiteral("SIN()+COS()"));
    f.Enter(3, QStringLiteral("1+2"));
    f.Key(Qt::Key_Up);
    QCOMPARE(f.Input()->cursorPosition(), 4);
    QVERIFY(!f.Input()->hasSelectedText());
    f.Key(Qt::Key_Down);
    QCOMPARE(f.Input()->cursorPosition(), 3);
    // Coming back from a pick in the grid puts the caret by the same rule.
    f.Pick(2);
    QCOMPARE(QApplication::focusWidget(), f.Input());
    QCOMPARE(f.Input()->cursorPosition(), 4);
}

void InputLineTest::calculatorChainsThenComputes() {
    MainWindowFixture f([](ExecuteParameter& s) { s.AMODE = 1; });
    f.Type(QStringLiteral("12+5*2"));
    QCOMPARE(f.Formula(0), std::string("12"));
    QCOMPARE(f.Formula(1), std::string("A0+5"));
    QCOMPARE(f.Formula(2), std::string("A1*2"));
    QCOMPARE(f.Line(), 2);
    QCOMPARE(f.Value(2), Extended(34));
    QVERIFY(f.Modified());
}

void InputLineTest::shiftSpaceClearsSelection_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::newRow("Shift+Space") << int(Qt::Key_Space) << int(Qt::ShiftModifier);
    QTest::newRow("Alt+Delete") << int(Qt::Key_Delete) << int(Qt::AltModifier);
}

void InputLineTest::shiftSpaceClearsSelection() {
    QFETCH(int, key);
    QFETCH(int, modifiers);
    MainWindowFixture f([](ExecuteParameter& s) { s.HEIGHT = 700; });
    for (int line = 2; line <= 6; ++line)
        f.Enter(line, QString::number(line * 10));
    f.Enter(7, QStringLiteral("A3+A6"));
    f.Press(3, 2);
    f.MoveHeld(5, 2);
    f.Release(5, 2);
    QCOMPARE(f.Line(), 3);
    QCOMPARE(f.Grid()->Selection().top, 3);
    QCOMPARE(f.Grid()->Selection().bottom, 5);
    f.Key(Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    for (int line = 3; line <= 5; ++line) {
        QCOMPARE(f.Formula(line), std::string());
        QCOMPARE(f.Value(line), ErrorValue);
    }
    QCOMPARE(f.Formula(2), std::string("20"));
    QCOMPARE(f.Formula(6), std::string("60"));
    QCOMPARE(f.Input()->text(), QString());
    // Everything is recalculated: line 7 lost the value of line 3.
    QCOMPARE(f.Result(7), std::string("? A3"));
    QCOMPARE(f.Value(7), ErrorValue);
}

void InputLineTest::ctrlSpaceEmptiesSheetKeepingFile_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::newRow("Ctrl+Space") << int(Qt::Key_Space) << int(Qt::ControlModifier);
    QTest::newRow("Alt+Shift+Delete")
        << int(Qt::Key_Delete) << int(Qt::AltModifier | Qt::ShiftModifier);
}

void InputLineTest::ctrlSpaceEmptiesSheetKeepingFile() {
    QFETCH(int, key);
    QFETCH(int, modifiers);
    MainWindowFixture f;
    f.NameSheet(f.File("budget.tsf"));
    f.Enter(0, QStringLiteral("1"));
    f.Enter(5, QStringLiteral("2"));
    QVERIFY(f.Modified());
    f.Key(Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QVERIFY(f.dialogs.Shown().isEmpty());
    QCOMPARE(f.Formula(0), std::string());
    QCOMPARE(f.Formula(5), std::string());
    QCOMPARE(f.Line(), 0);
    QCOMPARE(f.FileName(), f.File("budget.tsf"));
    QCOMPARE(f.W().windowTitle(), QStringLiteral("Tessarin - [ budget.tsf ]"));
    QVERIFY(!f.Modified());
    QVERIFY(!f.Action("MMactionsave")->isVisible());
}

void InputLineTest::typingMarksModified() {
    MainWindowFixture f;
    QVERIFY(!f.Modified());
    f.Type(QStringLiteral("1"));
    QVERIFY(f.Modified());
    QVERIFY(f.Action("MMactionsave")->isVisible());
    QVERIFY(f.Action("MMactionren")->isVisible());
}

// Line moves and the clear button change no formula the user typed: the sheet stays saved.
void InputLineTest::programChangesDoNotMarkModified() {
    MainWindowFixture f;
    f.Enter(1, QStringLiteral("5"));
    f.Enter(2, QStringLiteral("6"));
    f.sheet.MarkSaved();
    f.Key(Qt::Key_Up);
    f.Key(Qt::Key_Return);
    f.Key(Qt::Key_Home);
    f.Go(1);
    f.Part<QToolButton>("BTclear")->click();
    QVERIFY(!f.Modified());
    QCOMPARE(f.Formula(1), std::string());
}

void InputLineTest::typingLimit() {
    // Typing stops at 300 characters; a longer formula the program loaded may be shortened but
    // not lengthened, and the lists insert whatever the length.
    MainWindowFixture f;
    const std::string ones(320, '1');
    f.Go(1);
    f.sheet.ChangeCurrentFormula(ones, FormulaEdit::Insertion);
    QCOMPARE(f.Input()->text().size(), 320);
    f.Type(QStringLiteral("2a("));
    QCOMPARE(f.Formula(1), ones);
    f.Key(Qt::Key_Backspace);
    f.Type(QStringLiteral("2"));
    QCOMPARE(f.Formula(1), std::string(319, '1'));
    f.Input()->setSelection(0, 21);
    f.Type(QStringLiteral("2"));
    QCOMPARE(f.Formula(1), "2" + std::string(298, '1'));
    f.Input()->end(false);
    f.Type(QStringLiteral("a2"));
    QCOMPARE(f.Formula(1), "2" + std::string(298, '1') + "A");
    PadList* functions = FindPart<PadList>(f.Pad(), "LBfunc");
    functions->setCurrentRow(0);
    QTest::keyClick(functions, Qt::Key_Space);
    QVERIFY(f.Input()->text().size() > 300);
    QCOMPARE(f.Formula(1), f.Input()->text().toStdString());
}

void InputLineTest::longTextFollowsThePointer() {
    // A formula too long for the control's own layout is drawn around the caret; a click finds
    // the character under the pointer there, not where the whole text would put it.
    MainWindowFixture f;
    std::string formula = "1";
    while (formula.size() <= static_cast<std::size_t>(FormulaInput::LongText))
        formula += "+1";
    f.Go(1);
    f.sheet.ChangeCurrentFormula(formula, FormulaEdit::Insertion);
    QLineEdit* input = f.Input();
    const int size = input->text().size();
    QCOMPARE(input->cursorPosition(), size);
    QVERIFY(!input->grab().isNull());

    const int y = input->height() / 2;
    const int maxShown = input->width();  // every character is at least a pixel wide
    QTest::mouseClick(input, Qt::LeftButton, Qt::NoModifier, QPoint(6, y));
    const int left = input->cursorPosition();
    QVERIFY2(left > size - maxShown && left < size - 10, qPrintable(QString::number(left)));
    QTest::mouseClick(input, Qt::LeftButton, Qt::ShiftModifier, QPoint(input->width() - 6, y));
    QCOMPARE(input->selectionStart(), left);
    QVERIFY(input->selectionEnd() > size - 5);
    QCOMPARE(f.Formula(1), formula);
}

QTEST_MAIN(InputLineTest)
#include "tst_input_line.moc"
