#include <QApplication>
#include <QLineEdit>
#include <QScopeGuard>
#include <QScrollBar>
#include <QTest>
#include <QVBoxLayout>

#include "expr/calc_expression.h"
#include "settings/execute_parameter.h"
#include "tests/support/test_program_objects.h"
#include "tests/ui/desktop_font_sizes.h"
#include "tests/ui/window_parts.h"
#include "ui/formula_input.h"
#include "ui/function_pad.h"
#include "ui/sheet_input.h"

namespace {

// An input line on the test's sheet and the pad beside it.
struct PadWindow {
    explicit PadWindow(TestProgramObjects& objects) : sheet(objects.sheet) {
        auto* column = new QVBoxLayout(&window);
        EDcalc = new FormulaInput(&window);
        input = std::make_unique<SheetInput>(*EDcalc, objects.sheet, objects.record);
        other = new QLineEdit(&window);
        pad = new FunctionPad(*input, objects.record, objects.calc, &window);
        column->addWidget(EDcalc);
        column->addWidget(other);
        column->addWidget(pad);
        window.resize(200, 400);
    }
    // An insertion offers saving on the tool bar only.
    bool Inserted() const { return sheet.ModifiedMark() == Modified::Inserted; }

    const SheetDocument& sheet;
    QWidget window;
    FormulaInput* EDcalc;
    std::unique_ptr<SheetInput> input;
    QLineEdit* other;
    FunctionPad* pad;
};

const std::vector<std::string> kDefaults = {"PI=3.1415926535897932384626433832795",
                                            "C=299792.5E+3"};

}  // namespace

class FunctionPadTest : public QObject {
    Q_OBJECT

private slots:
    void functionEntryInsertion_data();
    void functionEntryInsertion();
    void constantEntryInsertion_data();
    void constantEntryInsertion();
    void constantListEntries_data();
    void constantListEntries();
    void mouseClickInsertsAndReturnsFocus();
    void listsDrawLikeResultPanel();
    void functionNamesFitAtAnyFont();
};

void FunctionPadTest::functionEntryInsertion_data() {
    QTest::addColumn<bool>("complete");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("selectionStart");
    QTest::addColumn<int>("selectionLength");  // 0: caret at selectionStart
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("result");
    QTest::addColumn<int>("caret");
    const struct {
        const char* dataTag;
        bool complete;
        const char* text;
        int selectionStart;
        int selectionLength;
        int row;
        const char* result;
        int caret;
    } rows[] = {
        {"sin, completion on", true, "", 0, 0, 1, "sin()", 4},
        {"sin, completion off", false, "", 0, 0, 1, "sin(", 4},
        {"parenthesis, completion on", true, "", 0, 0, 0, "()", 1},
        {"parenthesis, completion off", false, "", 0, 0, 0, "()", 1},
        {"replaces the selection", false, "1+23", 2, 2, 8, "1+log10(", 8},
        {"at a caret inside the text", false, "12", 1, 0, 2, "1cos(2", 5},
        {"completed before more text", true, "A1", 0, 0, 9, "sqrt()A1", 5},
        {"caret into the first pair", true, "()+", 3, 0, 3, "()+tan()", 1},
    };
    for (const auto& row : rows)
        QTest::newRow(row.dataTag) << row.complete << row.text << row.selectionStart
                                   << row.selectionLength << row.row << row.result << row.caret;
}

void FunctionPadTest::functionEntryInsertion() {
    QFETCH(bool, complete);
    QFETCH(QString, text);
    QFETCH(int, selectionStart);
    QFETCH(int, selectionLength);
    QFETCH(int, row);
    QFETCH(QString, result);
    QFETCH(int, caret);
    TestProgramObjects objects(false);
    objects.record.RKAKKO = complete ? 1 : 0;
    PadWindow window(objects);
    window.EDcalc->setText(text);
    window.EDcalc->setSelection(selectionStart, selectionLength);

    PadList* functions = FindPart<PadList>(window.pad, "LBfunc");
    functions->setCurrentRow(row);
    QTest::keyClick(functions, Qt::Key_Space);

    QCOMPARE(window.EDcalc->text(), result);
    QCOMPARE(window.EDcalc->cursorPosition(), caret);
    QCOMPARE(objects.sheet.Formula(0), result.toStdString());
    QVERIFY(!window.EDcalc->hasSelectedText());
    QCOMPARE(FindPart<PadList>(window.pad, "LBfunc")->SelectedRow(), -1);
    QVERIFY(window.Inserted());
}

void FunctionPadTest::constantEntryInsertion_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("selectionStart");
    QTest::addColumn<int>("selectionLength");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("result");
    const struct {
        const char* dataTag;
        const char* text;
        int selectionStart;
        int selectionLength;
        int row;
        const char* result;
    } rows[] = {
        {"name at the caret", "2*", 2, 0, 0, "2*PI"},
        {"replaces the selection", "2*A0+1", 2, 2, 1, "2*C+1"},
        {"inner blanks kept", "", 0, 0, 2, "MY C"},
        {"line without a name", "1+23", 2, 2, 3, "1+"},
    };
    for (const auto& row : rows)
        QTest::newRow(row.dataTag)
            << row.text << row.selectionStart << row.selectionLength << row.row << row.result;
}

void FunctionPadTest::constantEntryInsertion() {
    QFETCH(QString, text);
    QFETCH(int, selectionStart);
    QFETCH(int, selectionLength);
    QFETCH(int, row);
    QFETCH(QString, result);
    TestProgramObjects objects(false);
    objects.calc.Constants = {"PI=3.14", "C=3E8", "MY C=1", "no name"};
    PadWindow window(objects);
    window.pad->FillConstList();
    window.EDcalc->setText(text);
    window.EDcalc->setSelection(selectionStart, selectionLength);

    PadList* constants = FindPart<PadList>(window.pad, "LBconst");
    constants->setCurrentRow(row);
    QTest::keyClick(constants, Qt::Key_Space);

    QCOMPARE(window.EDcalc->text(), result);
    QCOMPARE(FindPart<PadList>(window.pad, "LBconst")->SelectedRow(), -1);
    QVERIFY(window.Inserted());
}

void FunctionPadTest::constantListEntries_data() {
    QTest::addColumn<std::vector<std::string>>("constants");
    QTest::addColumn<QStringList>("entries");
    const struct {
        const char* dataTag;
        std::vector<std::string> constants;
        QStringList entries;
    } rows[] = {
        {"defaults", kDefaults, QStringList{" PI", " C"}},
        {"empty list", std::vector<std::string>{}, QStringList{}},
        {"one empty line", std::vector<std::string>{""}, QStringList{" "}},
        {"name before the first equals", std::vector<std::string>{"A=B=C", "=5", "TEXT"},
         QStringList{" A", " ", " "}},
        {"Japanese name", std::vector<std::string>{"円周=40000"}, QStringList{" 円周"}},
    };
    for (const auto& row : rows)
        QTest::newRow(row.dataTag) << row.constants << row.entries;
}

void FunctionPadTest::constantListEntries() {
    QFETCH(std::vector<std::string>, constants);
    QFETCH(QStringList, entries);
    TestProgramObjects objects(false);
    objects.calc.Constants = {"OLD=1", "OLDER=2", "OLDEST=3"};
    PadWindow window(objects);
    window.pad->FillConstList();
    objects.calc.Constants = constants;

    window.pad->FillConstList();

    QStringList shown;
    for (int row = 0; row < FindPart<PadList>(window.pad, "LBconst")->count(); ++row)
        shown << FindPart<PadList>(window.pad, "LBconst")->item(row)->text();
    QCOMPARE(shown, entries);
    QCOMPARE(FindPart<PadList>(window.pad, "LBconst")->isEnabled(), !entries.isEmpty());
}

void FunctionPadTest::mouseClickInsertsAndReturnsFocus() {
    TestProgramObjects objects(false);
    objects.calc.Constants = kDefaults;
    PadWindow window(objects);
    window.pad->FillConstList();
    window.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window.window));
    window.other->setFocus();
    QTRY_VERIFY(window.other->hasFocus());
    window.EDcalc->setText("2*");
    window.EDcalc->setCursorPosition(2);

    PadList* constants = FindPart<PadList>(window.pad, "LBconst");
    const QPoint onPi = constants->visualItemRect(constants->item(0)).center();
    QTest::mouseClick(constants->viewport(), Qt::LeftButton, {}, onPi);
    QCOMPARE(window.EDcalc->text(), QStringLiteral("2*PI"));
    QVERIFY(window.EDcalc->hasFocus());

    PadList* functions = FindPart<PadList>(window.pad, "LBfunc");
    const QPoint onAtan = functions->visualItemRect(functions->item(6)).center();
    QTest::mouseClick(functions->viewport(), Qt::LeftButton, {}, onAtan);
    QCOMPARE(window.EDcalc->text(), QStringLiteral("2*PIatan()"));
    QCOMPARE(window.EDcalc->cursorPosition(), 9);
    QVERIFY(window.Inserted());
}

// Under a font of its own, small enough for the lists' 16-pixel rows in any face.
void FunctionPadTest::listsDrawLikeResultPanel() {
    const QFont desktopFont = QApplication::font();
    const auto restore = qScopeGuard([&desktopFont] { QApplication::setFont(desktopFont); });
    QFont small = desktopFont;
    small.setPixelSize(10);
    QApplication::setFont(small);
    TestProgramObjects objects(false);
    PadWindow window(objects);
    window.pad->FillConstList();
    PadList* functions = FindPart<PadList>(window.pad, "LBfunc");
    QCOMPARE(functions->size(), QSize(44, 168));
    QCOMPARE(functions->visualItemRect(functions->item(3)), QRect(0, 48, 44, 16));
    QVERIFY(!FindPart<PadList>(window.pad, "LBconst")->isEnabled());

    const QImage image = functions->grab().toImage();
    QCOMPARE(QColor(image.pixel(40, 165)), QColor(49, 49, 49));
    // Glyphs are smoothed, and a thin face has few wholly white pixels.
    int white = 0;
    for (int y = 16; y < 32; ++y) {
        for (int x = 0; x < 44; ++x)
            white += QColor(image.pixel(x, y)).lightness() > 200;
    }
    QVERIFY2(white > 10, "the sin entry is drawn in white");
}

// At a large desktop font the names neither overlap nor lose their last letters.
void FunctionPadTest::functionNamesFitAtAnyFont() {
    AtDesktopFontSizes({0, 12, 14, 16}, [&](int) {
        TestProgramObjects objects(false);
        PadWindow window(objects);
        window.window.resize(200, 800);
        window.window.show();
        PadList* functions = FindPart<PadList>(window.pad, "LBfunc");
        const QFontMetrics metrics(functions->font());  // bold
        for (int row = 0; row < functions->count(); ++row) {
            const QRect place = functions->visualItemRect(functions->item(row));
            QVERIFY(metrics.horizontalAdvance(functions->item(row)->text()) <= place.width());
            QVERIFY(metrics.height() <= place.height());
            QVERIFY(place.bottom() < functions->viewport()->height());
        }
        // Too low a window for the whole list: it scrolls, and the names keep their width.
        window.window.resize(window.window.width(), 160);
        QTRY_VERIFY(functions->verticalScrollBar()->isVisible());
        for (int row = 0; row < functions->count(); ++row) {
            const QString name = functions->item(row)->text();
            QVERIFY(metrics.horizontalAdvance(name) <= functions->viewport()->width());
        }
    });
}

QTEST_MAIN(FunctionPadTest)
#include "tst_function_pad.moc"
