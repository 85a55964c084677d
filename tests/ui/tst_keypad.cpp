#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include "desktop/window_layer.h"
#include "expr/calc_expression.h"
#include "settings/execute_parameter.h"
#include "tests/support/test_program_objects.h"
#include "tests/ui/window_parts.h"
#include "ui/formula_input.h"
#include "ui/function_pad.h"
#include "ui/sheet_input.h"
#include "ui/tfmpad.h"

namespace {

// The main window's part the keypad works on: the input line on the test's sheet and the lists.
struct PadHost {
    explicit PadHost(TestProgramObjects& objects) : sheet(objects.sheet) {
        window.setGeometry(100, 80, 500, 300);
        EDcalc = new FormulaInput(&window);
        EDcalc->setGeometry(10, 20, 300, 24);
        input = std::make_unique<SheetInput>(*EDcalc, objects.sheet, objects.record);
        pad = new FunctionPad(*input, objects.record, objects.calc, &window);
        pad->setGeometry(450, 0, 44, 300);
        keypad = new TFMpad(pad, EDcalc, objects.record, &window);
        pad->FillConstList();
        window.show();
    }
    // An insertion offers saving on the tool bar only.
    bool Inserted() const { return sheet.ModifiedMark() == Modified::Inserted; }

    const SheetDocument& sheet;
    QWidget window;
    FormulaInput* EDcalc;
    std::unique_ptr<SheetInput> input;
    FunctionPad* pad;
    TFMpad* keypad;
};

const QColor kBlack(0, 0, 0);
const QColor kSilver(192, 192, 192);

QColor TextColor(const QLabel* key) {
    return key->palette().color(QPalette::WindowText);
}

}  // namespace

class KeypadTest : public QObject {
    Q_OBJECT

private slots:
    void constantCaptions_data();
    void constantCaptions();
    void keysInsertAndClose_data();
    void keysInsertAndClose();
    void digitKeyMatchesFunctionList_data();
    void digitKeyMatchesFunctionList();
    void onlyKeysAndOutsideClicksClose();
    void panelClickActsAsItsKey();
    void emptyConstantListGivesSilverKeys();
    void showPlacesUnderInputLineWithTopmostSetting();
    void arrowKeysMoveAmongTheKeys();
};

void KeypadTest::constantCaptions_data() {
    QTest::addColumn<std::vector<std::string>>("constants");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QColor>("color");

    const std::vector<std::string> defaults = {"PI=3.14", "C=299792.5E+3"};
    QTest::newRow("A with PI") << defaults << 0 << " A  PI" << kBlack;
    QTest::newRow("B with C") << defaults << 1 << " B  C" << kBlack;
    QTest::newRow("C unassigned") << defaults << 2 << " C " << kSilver;
    QTest::newRow("/ unassigned") << defaults << 29 << " / " << kSilver;
    QTest::newRow("long name cut")
        << std::vector<std::string>{"RADIUS=6371"} << 0 << " A  RADI" << kBlack;
    QTest::newRow("line without a name")
        << std::vector<std::string>{"", "X=1"} << 0 << " A  " << kBlack;
    QTest::newRow("Japanese name")
        << std::vector<std::string>{"円周率の値=3"} << 0 << " A  円周率の" << kBlack;
}

void KeypadTest::constantCaptions() {
    QFETCH(std::vector<std::string>, constants);
    QFETCH(int, key);
    QFETCH(QString, caption);
    QFETCH(QColor, color);
    TestProgramObjects objects;
    PadHost host(objects);
    host.keypad->show();
    host.keypad->hide();
    objects.calc.Constants = constants;
    host.pad->FillConstList();

    host.keypad->show();

    QCOMPARE(FindKeypadKey(host.keypad, TFMpad::kFunctionKeys + key)->text(), caption);
    QCOMPARE(TextColor(FindKeypadKey(host.keypad, TFMpad::kFunctionKeys + key)), color);
    host.keypad->hide();
}

void KeypadTest::keysInsertAndClose_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("inserted");
    const struct {
        const char* dataTag;
        int key;
        const char* text;
        const char* inserted;
    } rows[] = {
        {"a inserts PI", int(Qt::Key_A), "a", "PI"},
        {"B inserts C", int(Qt::Key_B), "B", "C"},
        {"C has no constant", int(Qt::Key_C), "c", ""},
        {"+ has no constant", int(Qt::Key_Plus), "+", ""},
        {"0 inserts parentheses", int(Qt::Key_0), "0", "()"},
        {"9 inserts sqrt", int(Qt::Key_9), "9", "sqrt()"},
        {"blank is no key", int(Qt::Key_Space), " ", ""},
        {"Return is no key", int(Qt::Key_Return), "\r", ""},
        {"Escape closes", int(Qt::Key_Escape), "\x1b", ""},
    };
    for (const auto& row : rows)
        QTest::newRow(row.dataTag) << row.key << row.text << row.inserted;
}

void KeypadTest::keysInsertAndClose() {
    QFETCH(int, key);
    QFETCH(QString, text);
    QFETCH(QString, inserted);
    TestProgramObjects objects;
    PadHost host(objects);
    host.keypad->show();
    QVERIFY(host.keypad->isVisible());

    QTest::sendKeyEvent(QTest::Press, host.keypad, Qt::Key(key), text, {});

    QVERIFY(!host.keypad->isVisible());
    QCOMPARE(host.EDcalc->text(), inserted);
    QCOMPARE(host.Inserted(), !inserted.isEmpty());
}

void KeypadTest::digitKeyMatchesFunctionList_data() {
    QTest::addColumn<bool>("complete");
    const struct {
        const char* dataTag;
        bool complete;
    } rows[] = {
        {"completion on", true},
        {"completion off", false},
    };
    for (const auto& row : rows)
        QTest::newRow(row.dataTag) << row.complete;
}

void KeypadTest::digitKeyMatchesFunctionList() {
    QFETCH(bool, complete);
    TestProgramObjects objects;
    objects.record.RKAKKO = complete ? 1 : 0;
    PadHost host(objects);
    host.EDcalc->setText("1+2*(3)");
    host.EDcalc->setSelection(2, 1);
    PadList* functions = FindPart<PadList>(host.pad, "LBfunc");
    functions->setCurrentRow(3);
    QTest::keyClick(functions, Qt::Key_Space);
    const QString byList = host.EDcalc->text();
    const int caretByList = host.EDcalc->cursorPosition();

    host.EDcalc->setText("1+2*(3)");
    host.EDcalc->setSelection(2, 1);
    host.keypad->show();
    QTest::keyClick(host.keypad, '3');

    QCOMPARE(host.EDcalc->text(), byList);
    QCOMPARE(host.EDcalc->cursorPosition(), caretByList);
    QVERIFY(byList.contains(QStringLiteral("tan(")));
}

// A modifier alone and a click on the keypad itself keep it open; a click elsewhere closes it.
void KeypadTest::onlyKeysAndOutsideClicksClose() {
    TestProgramObjects objects;
    PadHost host(objects);
    host.keypad->show();
    QTest::sendKeyEvent(QTest::Press, host.keypad, Qt::Key_Shift, QString(), Qt::ShiftModifier);
    QVERIFY(host.keypad->isVisible());
    QTest::mousePress(host.keypad, Qt::LeftButton, {}, QPoint(2, 2));
    QVERIFY(host.keypad->isVisible());
    QTest::mousePress(host.keypad, Qt::LeftButton, {}, QPoint(-10, 300));
    QVERIFY(!host.keypad->isVisible());
    QVERIFY(host.EDcalc->text().isEmpty());
}

void KeypadTest::panelClickActsAsItsKey() {
    TestProgramObjects objects;
    objects.record.RKAKKO = 0;
    PadHost host(objects);
    host.keypad->show();
    QTest::mouseClick(FindKeypadKey(host.keypad, TFMpad::kFunctionKeys), Qt::LeftButton);
    QVERIFY(!host.keypad->isVisible());
    QCOMPARE(host.EDcalc->text(), QStringLiteral("PI"));

    host.keypad->show();
    QTest::mouseClick(FindKeypadKey(host.keypad, 8), Qt::LeftButton);
    QVERIFY(!host.keypad->isVisible());
    QCOMPARE(host.EDcalc->text(), QStringLiteral("PIlog10("));

    host.keypad->show();
    QTest::mouseClick(FindKeypadKey(host.keypad, TFMpad::kFunctionKeys + 26), Qt::LeftButton);
    QVERIFY(!host.keypad->isVisible());
    QCOMPARE(host.EDcalc->text(), QStringLiteral("PIlog10("));
    QVERIFY(host.Inserted());
}

void KeypadTest::emptyConstantListGivesSilverKeys() {
    TestProgramObjects objects;
    objects.calc.Constants.clear();
    PadHost host(objects);
    QVERIFY(!FindPart<PadList>(host.pad, "LBconst")->isEnabled());
    host.keypad->show();
    for (int i = 0; i < TFMpad::kConstantKeys; ++i) {
        QCOMPARE(FindKeypadKey(host.keypad, TFMpad::kFunctionKeys + i)->text().size(), 3);
        QCOMPARE(TextColor(FindKeypadKey(host.keypad, TFMpad::kFunctionKeys + i)), kSilver);
    }
    host.keypad->hide();
    for (const QChar key : TFMpad::PadKeys.mid(TFMpad::kFunctionKeys)) {
        host.keypad->show();
        QTest::sendKeyEvent(QTest::Press, host.keypad, Qt::Key_unknown, QString(key), {});
        QVERIFY(!host.keypad->isVisible());
    }
    QVERIFY(host.EDcalc->text().isEmpty());
    QVERIFY(!host.Inserted());
}

void KeypadTest::showPlacesUnderInputLineWithTopmostSetting() {
    TestProgramObjects objects;
    PadHost host(objects);
    objects.record.TMOST = 1;
    host.keypad->show();
    QCOMPARE(host.keypad->pos(), host.EDcalc->mapToGlobal(QPoint(-2, 25)));
    QVERIFY(IsStayOnTop(host.keypad));
    QVERIFY(host.keypad->isVisible());
    host.keypad->hide();

    objects.record.TMOST = 0;
    host.window.move(150, 120);
    host.keypad->show();
    QCOMPARE(host.keypad->pos(), host.EDcalc->mapToGlobal(QPoint(-2, 25)));
    QVERIFY(!IsStayOnTop(host.keypad));
    host.keypad->hide();
}

// The keys stand in four columns of ten (0..9, A..J, K..T, U..Z + - * /); the keypad opens on
// its first key, and the arrows stop at the edges, insert nothing and keep it open.
void KeypadTest::arrowKeysMoveAmongTheKeys() {
    const struct {
        QList<Qt::Key> arrows;
        const char* focused;
    } rows[] = {
        {{}, "PL0"},
        {{Qt::Key_Down, Qt::Key_Right}, "PLb"},
        {{Qt::Key_Up, Qt::Key_Left}, "PL0"},
        {QList<Qt::Key>(12, Qt::Key_Down) << QList<Qt::Key>(4, Qt::Key_Right), "PLod"},
    };
    TestProgramObjects objects;
    PadHost host(objects);
    for (const auto& row : rows) {
        host.keypad->show();
        QVERIFY(QTest::qWaitForWindowActive(host.keypad));
        for (const Qt::Key arrow : row.arrows)
            QTest::keyClick(QApplication::focusWidget(), arrow);
        QVERIFY(host.keypad->isVisible());
        QCOMPARE(QApplication::focusWidget()->objectName(), QString::fromLatin1(row.focused));
        host.keypad->hide();
    }
    QVERIFY(host.EDcalc->text().isEmpty());
}

QTEST_MAIN(KeypadTest)
#include "tst_keypad.moc"
