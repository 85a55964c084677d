#pragma once
// A shown main window for widget tests, over fresh program-wide objects at their defaults: no
// settings or constant file is read or written, every file a test writes goes to its own
// temporary folder, and message boxes and file dialogs are answered by the test.

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QSpontaneKeyEvent>
#include <QTest>
#include <QToolButton>
#include <filesystem>
#include <memory>
#include <string>

#include "desktop/grid_widget.h"
#include "export/excel_control.h"
#include "expr/calc_expression.h"
#include "settings/execute_parameter.h"
#include "sheet/extend_string_grid.h"
#include "tests/support/temp_folder.h"
#include "tests/support/test_program_objects.h"
#include "tests/ui/main_window_parts.h"
#include "tests/ui/scripted_dialogs.h"
#include "ui/digit_display.h"
#include "ui/tfmmain.h"

class MainWindowFixture {
public:
    // adjust runs on the fresh settings before the window is created.
    template <typename Adjust>
    explicit MainWindowFixture(Adjust adjust) {
        settings.FOLDER = folder.Folder();
        adjust(settings);
        window = NewWindow();
        window->show();
        window->activateWindow();
        (void)QTest::qWaitForWindowActive(window.get());
    }
    MainWindowFixture() : MainWindowFixture([](ExecuteParameter&) {}) {}

    ~MainWindowFixture() { window.reset(); }
    MainWindowFixture(const MainWindowFixture&) = delete;
    MainWindowFixture& operator=(const MainWindowFixture&) = delete;

    // A main window over the fixture's objects, as the program builds one.
    std::unique_ptr<TFMmain> NewWindow() {
        return std::make_unique<TFMmain>(settings, calculator, sheet, grid, excel);
    }

    TFMmain& W() { return *window; }
    FormulaInput* Input() { return FindInput(window.get()); }
    GridWidget* Grid() { return FindGrid(window.get()); }
    FunctionPad* Pad() { return FindPad(window.get()); }
    DigitDisplay* Digits() { return FindDigits(window.get()); }
    QAction* Action(const char* name) { return FindAction(window.get(), name); }
    QToolButton* Button(const char* name) { return FindPart<QToolButton>(window.get(), name); }
    QMenu* Menu(const char* name) { return FindMenu(window.get(), name); }
    template <typename T>
    T* Part(const char* name) {
        return FindPart<T>(window.get(), name);
    }
    QLabel* StatusPanel(int i) { return FindStatusPanel(window.get(), i); }
    int Line() { return sheet.CurrentLine(); }
    bool Modified() { return sheet.IsModified(); }
    QString FileName() { return QString::fromStdString(sheet.FileName()); }
    // Gives the sheet a file name, as if it had been saved to path; nothing is written.
    void NameSheet(const QString& path) { sheet.MarkSaved(path.toStdString(), {}); }

    std::string Formula(int line) { return sheet.Formula(line); }
    std::string Result(int line) { return sheet.Result(line); }
    Extended Value(int line) { return sheet.Value(line); }
    QString Panel(int i) { return StatusPanel(i)->text(); }

    // Types ASCII text into the input line, key by key.
    void Type(const QString& text) { QTest::keyClicks(Input(), text); }
    // Types one character that keyClicks cannot send (Japanese, full-width).
    void TypeCharacter(const QString& character) {
        QTest::sendKeyEvent(QTest::Click, Input(), Qt::Key_unknown, character, Qt::NoModifier);
    }
    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(Input(), key, modifiers);
    }
    // Moves to line by clicking its formula cell.
    void Pick(int line) {
        Press(line, 2);
        Release(line, 2);
    }
    // Makes line current, as the keys do.
    void Go(int line) { sheet.MoveTo(line); }
    // Makes line current and types formula into it.
    void Enter(int line, const QString& formula) {
        Go(line);
        Type(formula);
    }

    // The centre of a cell in the grid's viewport; the cell must be in view.
    QPoint CellCenter(int row, int col) {
        const GridRect r = Grid()->CellRect(col, row);
        return QPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    }
    void Press(int row, int col, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        Mouse(QEvent::MouseButtonPress, CellCenter(row, col), Qt::LeftButton, modifiers);
    }
    void MoveHeld(int row, int col) {
        Mouse(QEvent::MouseMove, CellCenter(row, col), Qt::NoButton, Qt::NoModifier);
    }
    void Release(int row, int col) {
        Mouse(QEvent::MouseButtonRelease, CellCenter(row, col), Qt::LeftButton, Qt::NoModifier);
    }
    // A wheel notch as the system delivers it: what the widget under the pointer ignores goes
    // on to its parents.
    void Wheel(QWidget* target, int delta) {
        const QPointF pos(5, 5);
        QWheelEvent event(pos, target->mapToGlobal(pos), QPoint(), QPoint(0, delta), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QSpontaneKeyEvent::setSpontaneous(&event);
        qApp->notify(target, &event);
    }

    // A path inside the folder, as the window takes file names.
    QString File(const std::string& name) const {
        return QString::fromStdString(folder.File(name));
    }

    TempFolder folder;
    // The evaluator starts without constants, as before a first start.
    TestProgramObjects objects{false};
    ExecuteParameter& settings = objects.record;
    CalcExpression& calculator = objects.calc;
    SheetDocument& sheet = objects.sheet;
    ExcelControl& excel = objects.excel;
    ExtendStringGrid& grid = objects.grid;
    ScriptedDialogs dialogs;
    std::unique_ptr<TFMmain> window;

private:
    void Mouse(QEvent::Type type, QPoint pos, Qt::MouseButton button,
               Qt::KeyboardModifiers modifiers) {
        QWidget* viewport = Grid()->viewport();
        const Qt::MouseButtons held =
            type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(Qt::LeftButton);
        QMouseEvent event(type, pos, viewport->mapToGlobal(pos), button, held, modifiers);
        QApplication::sendEvent(viewport, &event);
    }
};
