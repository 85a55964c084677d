// The input line: the character rules, the line moves and clearing keys, calculator mode, and
// storing every change into the current line.

#include "tests/ui/main_window_fixture.h"
#include "ui/formula_input.h"
#include "ui/function_pad.h"

class InputLineTest : public QObject {
    Q_OBJECT

private slots:
    void characterRules_data();
    void characterRules();
    void nonAsciiPassesUnchanged();
    void fullWidthStoredHalfWidth();
    void ctrlLettersStayCommands();
    void returnMovesDown_data();
    void returnMovesDown();
    void arrowsStopAtEnds_data();
    void arrowsStopAtEnds();
    void caretGoesIntoFirstEmptyPair();
    void calculatorMode_data();
    void calculatorMode();
    void calculatorChainsThenComputes();
    void shiftSpaceClearsSelection_data();
    void shiftSpaceClearsSelection();
    void ctrlSpaceEmptiesSheetKeepingFile_data();
    void ctrlSpaceEmptiesSheetKeepingFile();
    void typingMarksModified();
    void programChangesDoNotMarkModified();
    void ringOrderAfterKeystroke();
    void onlyCurrentLineWithoutRecalcTime();
    void typingLimit();
    void longTextFollowsThePointer();
};

void InputLineTest::characterRules_data() {
    QTest::addColumn<int>("amode");
    QTest::addColumn<int>("rkakko");
    QTest::addColumn<QString>("start");  // the input line's text before typing, caret at end
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("caret");
    const struct {
        const char* dataTag;
        int amode;
        int rkakko;
        const char* start;
        const char* typed;
        const char* text;
        int caret;
    } rows[] = {
        {"lower case becomes upper", 0, 1, "", "a", "A", 1},
        {"blanks are refused", 0, 1, "", "1 + 2", "1+2", 3},
        {"parenthesis completes", 0, 1, "", "sin(", "SIN()", 4},
        {"parenthesis alone", 0, 0, "", "sin(", "SIN(", 4},
        {"caret into first pair", 0, 1, "()+", "(", "()+()", 1},
        {"close steps over the completed one", 0, 1, "", "sin(30)", "SIN(30)", 7},
        {"nested closes step over in turn", 0, 1, "", "sin(cos(1))+1", "SIN(COS(1))+1", 13},
        {"a close the completion did not insert goes in", 0, 1, "", "(1)2)", "(1)2)", 5},
        {"closes without completion go in", 0, 0, "", "sin(30)", "SIN(30)", 7},
        {"formula cannot start with *", 0, 1, "", "*", "", 0},
        {"formula cannot start with )", 0, 1, "", ")", "", 0},
        {"formula cannot start with ^", 0, 1, "", "^", "", 0},
        {"formula cannot start with /", 0, 1, "", "/", "", 0},
        {"formula cannot start with +", 0, 1, "", "+", "", 0},
        {"formula may start with -", 0, 1, "", "-5", "-5", 2},
        {"formula may start with (", 0, 0, "", "(", "(", 1},
        {"operators after an operand", 0, 1, "", "2*3/4^5+1", "2*3/4^5+1", 9},
        {"calculator mode on line 0 takes +", 1, 1, "", "+", "+", 1},
    };
    for (const auto& row : rows)
        QTest::newRow(row.dataTag)
            << row.amode << row.rkakko << row.start << row.typed << row.text << row.caret;
}

void InputLineTest::characterRules() {
    QFETCH(int, amode);
    QFETCH(int, rkakko);
    QFETCH(QString, start);
    QFETCH(QString, typed);
    QFETCH(QString, text);
    QFETCH(int, caret);
    MainWindowFixture f([&](ExecuteParameter& s) {
        s.AMODE = amode;
        s.RKAKKO = rkakko;
    });
    f.Input()->setText(start);
    f.Key(Qt::Key_End);
    f.Type(typed);
    QCOMPARE(f.Input()->text(), text);
    QCOMPARE(f.Input()->cursorPosition(), caret);
    QCOMPARE(f.Line(), 0);
    QCOMPARE(QString::fromStdString(f.Formula(0)), text);
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
    f.W().SetModified(false);
    f.Key(Qt::Key(key));
    QCOMPARE(f.Line(), to);
    QCOMPARE(f.Formula(from), std::string("8"));
    QVERIFY(!f.W().Modified());
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
    // Coming back from the grid puts the caret by the same rule.
    f.Grid()->setFocus();
    f.Go(2);
    QCOMPARE(QApplication::focusWidget(), f.Input());
    QCOMPARE(f.Input()->cursorPosition(), 4);
}

void InputLineTest::calculatorMode_data() {
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("formula");      // typed on line before the operator
    QTest::addColumn<QString>("nextFormula");  // already on the next line
    QTest::addColumn<bool>("caretAtEnd");
    QTest::addColumn<QString>("op");
    QTest::addColumn<int>("lineAfter");
    QTest::addColumn<QString>("textAfter");
    const struct {
        const char* dataTag;
        int line;
        const char* formula;
        const char* nextFormula;
        bool caretAtEnd;
        const char* op;
        int lineAfter;
        const char* textAfter;
    } rows[] = {
        {"advance and chain", 0, "12", "", true, "+", 1, "A0+"},
        {"every operator advances", 4, "3", "", true, "^", 5, "A4^"},
        {"failing line stays", 0, "1/0", "", true, "+", 0, "1/0+"},
        {"empty line stays", 6, "", "", true, "*", 6, "A5*"},
        {"line 99 stays", 99, "12", "", true, "+", 99, "12+"},
        {"next line taken", 0, "12", "7", true, "-", 0, "12-"},
        {"caret inside", 0, "12", "", false, "+", 0, "1+2"},
        {"parenthesis does not advance", 0, "12", "", true, "(", 0, "12()"},
    };
    for (const auto& row : rows)
        QTest::newRow(row.dataTag) << row.line << row.formula << row.nextFormula << row.caretAtEnd
                                   << row.op << row.lineAfter << row.textAfter;
}

void InputLineTest::calculatorMode() {
    QFETCH(int, line);
    QFETCH(QString, formula);
    QFETCH(QString, nextFormula);
    QFETCH(bool, caretAtEnd);
    QFETCH(QString, op);
    QFETCH(int, lineAfter);
    QFETCH(QString, textAfter);
    MainWindowFixture f;
    if (!nextFormula.isEmpty()) f.Enter(line + 1, nextFormula);
    f.Enter(line, formula);
    f.settings.AMODE = 1;
    if (!caretAtEnd) f.Key(Qt::Key_Left);
    f.Type(op);
    QCOMPARE(f.Line(), lineAfter);
    QCOMPARE(f.Input()->text(), textAfter);
    QCOMPARE(QString::fromStdString(f.Formula(lineAfter)), textAfter);
    if (lineAfter != line) QCOMPARE(QString::fromStdString(f.Formula(line)), formula);
}

void InputLineTest::calculatorChainsThenComputes() {
    MainWindowFixture f([](ExecuteParameter& s) { s.AMODE = 1; });
    f.Type(QStringLiteral("12+5*2"));
    QCOMPARE(f.Formula(0), std::string("12"));
    QCOMPARE(f.Formula(1), std::string("A0+5"));
    QCOMPARE(f.Formula(2), std::string("A1*2"));
    QCOMPARE(f.Line(), 2);
    QCOMPARE(f.Value(2), Extended(34));
    QVERIFY(f.W().Modified());
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
    QVERIFY(f.W().Modified());
    f.Key(Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QVERIFY(f.dialogs.Shown().isEmpty());
    QCOMPARE(f.Formula(0), std::string());
    QCOMPARE(f.Formula(5), std::string());
    QCOMPARE(f.Line(), 0);
    QCOMPARE(f.W().CurrentFileName(), f.File("budget.tsf"));
    QCOMPARE(f.W().windowTitle(), QStringLiteral("Tessarin - [ budget.tsf ]"));
    QVERIFY(!f.W().Modified());
    QVERIFY(!f.Action("MMactionsave")->isVisible());
}

void InputLineTest::typingMarksModified() {
    MainWindowFixture f;
    QVERIFY(!f.W().Modified());
    f.Type(QStringLiteral("1"));
    QVERIFY(f.W().Modified());
    QVERIFY(f.Action("MMactionsave")->isVisible());
    QVERIFY(f.Action("MMactionren")->isVisible());
}

void InputLineTest::programChangesDoNotMarkModified() {
    MainWindowFixture f;
    f.Enter(1, QStringLiteral("5"));
    f.Enter(2, QStringLiteral("6"));
    f.W().SetModified(false);
    // Line moves load other formulas into the input line without a typed key.
    f.Key(Qt::Key_Up);
    f.Key(Qt::Key_Return);
    f.Go(1);
    f.Part<QToolButton>("BTclear")->click();
    QVERIFY(!f.W().Modified());
    // A typed key is carried to the next change, even one the program makes.
    f.Key(Qt::Key_Home);
    QVERIFY(!f.W().Modified());
    f.Go(2);
    QVERIFY(f.W().Modified());
}

void InputLineTest::ringOrderAfterKeystroke() {
    MainWindowFixture f;
    f.Enter(3, QStringLiteral("A4"));
    f.Enter(4, QStringLiteral("A5"));
    f.Enter(5, QStringLiteral("1"));
    f.Part<QToolButton>("BTrecal")->click();
    QCOMPARE(f.Result(3), std::string("1"));
    f.Input()->selectAll();
    f.Type(QStringLiteral("2"));
    // From line 5 on: 5, 6, ..., 99, 0, ..., 4; line 3 was done before line 4 changed.
    QCOMPARE(f.Result(4), std::string("2"));
    QCOMPARE(f.Result(3), std::string("1"));
    f.Part<QToolButton>("BTrecal")->click();
    QCOMPARE(f.Result(3), std::string("2"));
}

void InputLineTest::onlyCurrentLineWithoutRecalcTime() {
    MainWindowFixture f([](ExecuteParameter& s) { s.RTIME = 0; });
    f.Enter(0, QStringLiteral("2"));
    f.Enter(1, QStringLiteral("A0*10"));
    f.Go(0);
    f.Type(QStringLiteral("5"));
    QCOMPARE(f.Result(0), std::string("25"));
    QCOMPARE(f.Result(1), std::string("20"));
    f.Part<QToolButton>("BTrecal")->click();
    QCOMPARE(f.Result(1), std::string("250"));
}

void InputLineTest::typingLimit() {
    // Typing stops at 300 characters; a longer formula the program loaded may be shortened but
    // not lengthened, and the lists insert whatever the length.
    MainWindowFixture f;
    const std::string ones(320, '1');
    f.grid.CellAt(2, 1)->text = ones;
    f.Pick(1);
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
    f.Pad()->LBfunc->setCurrentRow(0);
    f.Pad()->LBfuncClick();
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
    f.grid.CellAt(2, 1)->text = formula;
    f.Pick(1);
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
