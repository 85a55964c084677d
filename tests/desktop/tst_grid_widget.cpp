#include <QApplication>
#include <QLineEdit>
#include <QVBoxLayout>
#include <QtTest>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "desktop/grid_widget.h"

namespace {

constexpr int kRowHeight = 20;
constexpr int kShownRows = 15;

// The sheet's layout: two fixed columns, one formula column, 100 rows, range selection.
std::unique_ptr<GridWidget> MakeSheetGrid() {
    auto grid = std::make_unique<GridWidget>();
    grid->SetColCount(3);
    grid->SetRowCount(100);
    grid->SetFixedCols(2);
    grid->SetFixedRows(0);
    grid->SetRangeSelect(true);
    grid->SetColWidth(0, 40);
    grid->SetColWidth(1, 60);
    grid->SetColWidth(2, 120);
    for (int row = 0; row < 100; ++row)
        grid->SetRowHeight(row, kRowHeight);
    grid->show();
    // Size the viewport to exactly kShownRows rows, whatever the frame and scroll bar take.
    grid->resize(300, 300);
    grid->resize(300, 300 + kShownRows * kRowHeight - grid->viewport()->height());
    if (!QTest::qWaitForWindowExposed(grid.get())) qWarning("grid window not exposed");
    return grid;
}

QPoint Center(const GridWidget& grid, int col, int row) {
    const GridRect rect = grid.CellRect(col, row);
    return QPoint((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
}

void SendMouse(GridWidget& grid, QEvent::Type type, QPoint pos, Qt::MouseButton button,
               Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers = {}) {
    QMouseEvent event(type, QPointF(pos), grid.viewport()->mapToGlobal(QPointF(pos)), button,
                      buttons, modifiers);
    QApplication::sendEvent(grid.viewport(), &event);
}

void Press(GridWidget& grid, QPoint pos, Qt::KeyboardModifiers modifiers = {}) {
    SendMouse(grid, QEvent::MouseButtonPress, pos, Qt::LeftButton, Qt::LeftButton, modifiers);
}

void Drag(GridWidget& grid, QPoint pos) {
    SendMouse(grid, QEvent::MouseMove, pos, Qt::NoButton, Qt::LeftButton);
}

void Release(GridWidget& grid, QPoint pos) {
    SendMouse(grid, QEvent::MouseButtonRelease, pos, Qt::LeftButton, Qt::NoButton);
}

bool SameRect(const GridRect& a, const GridRect& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

bool IsEmpty(const GridRect& rect) {
    return rect.right <= rect.left || rect.bottom <= rect.top;
}

QString Describe(const GridRect& rect) {
    return QString("(%1,%2)-(%3,%4)").arg(rect.left).arg(rect.top).arg(rect.right).arg(rect.bottom);
}

}  // namespace

class GridWidgetTest : public QObject {
    Q_OBJECT

private slots:
    void settingRowRaisesClickOnlyOnChange();
    void programmaticMoveCollapsesSelection();
    void dragUpwardSelectsRangeAndClicksOnRelease();
    void shiftPressExtendsFromCurrentCell();
    void pressOnFixedCellChangesNothing();
    void selectCellCanRefuse();
    void cellRectAndMouseToCellAgree_data();
    void cellRectAndMouseToCellAgree();
    void fixedRowsAndColumnsStayInPlace();
    void zeroWidthColumnTakesNoSpace();
    void drawStatesFollowSelection();
    void keyDownSeesVirtualKeys_data();
    void keyDownSeesVirtualKeys();
    void keyDownCanConsumeKey();
    void cursorKeysClampAndPage();
    void wheelScrollsThreeRowsPerNotch();
    void dragBelowViewportAutoScrolls();
    void editorAsksAndReportsText();
    void focusMovesRaiseEnterAndExit();
    void setFocusFailsWhenHidden();
};

void GridWidgetTest::settingRowRaisesClickOnlyOnChange() {
    auto grid = MakeSheetGrid();
    int clicks = 0;
    grid->OnClick = [&] { ++clicks; };
    grid->SetRow(5);
    QCOMPARE(grid->Row(), 5);
    QCOMPARE(clicks, 1);
    grid->SetRow(5);
    grid->SetCol(2);
    QCOMPARE(clicks, 1);
    grid->SetRow(100);
    grid->SetRow(-1);
    grid->SetCol(1);  // a fixed column never becomes current
    QCOMPARE(grid->Row(), 5);
    QCOMPARE(grid->Col(), 2);
    QCOMPARE(clicks, 1);
    grid->SetRow(60);  // scrolls the row into view
    QCOMPARE(clicks, 2);
    QVERIFY(!IsEmpty(grid->CellRect(2, 60)));
    QVERIFY(grid->CellRect(2, 60).bottom <= grid->viewport()->height());
}

void GridWidgetTest::programmaticMoveCollapsesSelection() {
    auto grid = MakeSheetGrid();
    Press(*grid, Center(*grid, 2, 3));
    Drag(*grid, Center(*grid, 2, 6));
    Release(*grid, Center(*grid, 2, 6));
    QVERIFY(SameRect(grid->Selection(), GridRect{2, 3, 2, 6}));
    grid->SetRow(9);
    QVERIFY2(SameRect(grid->Selection(), GridRect{2, 9, 2, 9}),
             qPrintable(Describe(grid->Selection())));
}

void GridWidgetTest::dragUpwardSelectsRangeAndClicksOnRelease() {
    auto grid = MakeSheetGrid();
    QStringList events;
    int clicksWhenUp = -1;
    int clicks = 0;
    grid->OnClick = [&] {
        ++clicks;
        events << "click";
    };
    grid->OnMouseDown = [&](MouseButton button, ShiftState, int x, int y) {
        QCOMPARE(button, MouseButton::Left);
        QCOMPARE(QPoint(x, y), Center(*grid, 2, 10));
        events << "down";
    };
    grid->OnMouseMove = [&](ShiftState, int, int) { events << "move"; };
    grid->OnMouseUp = [&](MouseButton, ShiftState, int, int) {
        clicksWhenUp = clicks;
        events << "up";
    };

    Press(*grid, Center(*grid, 2, 10));
    QCOMPARE(grid->Row(), 10);
    QCOMPARE(clicks, 0);
    for (int row = 9; row >= 7; --row) {
        Drag(*grid, Center(*grid, 2, row));
        QCOMPARE(grid->Row(), 10);
        QVERIFY(SameRect(grid->Selection(), GridRect{2, row, 2, 10}));
    }
    QCOMPARE(clicks, 0);
    Release(*grid, Center(*grid, 2, 7));
    QCOMPARE(clicks, 1);
    QCOMPARE(clicksWhenUp, 1);
    QCOMPARE(grid->Row(), 10);
    QVERIFY(SameRect(grid->Selection(), GridRect{2, 7, 2, 10}));
    QCOMPARE(events, QStringList({"down", "move", "move", "move", "click", "up"}));

    // Moves without a button are reported too, and select nothing.
    Drag(*grid, Center(*grid, 2, 3));
    SendMouse(*grid, QEvent::MouseMove, Center(*grid, 2, 2), Qt::NoButton, Qt::NoButton);
    QCOMPARE(events.count("move"), 5);
    QVERIFY(SameRect(grid->Selection(), GridRect{2, 7, 2, 10}));
}

void GridWidgetTest::shiftPressExtendsFromCurrentCell() {
    auto grid = MakeSheetGrid();
    int clicks = 0;
    grid->SetRow(5);
    grid->OnClick = [&] { ++clicks; };
    Press(*grid, Center(*grid, 2, 8), Qt::ShiftModifier);
    QCOMPARE(grid->Row(), 5);
    QVERIFY(SameRect(grid->Selection(), GridRect{2, 5, 2, 8}));
    Drag(*grid, Center(*grid, 2, 2));
    QVERIFY(SameRect(grid->Selection(), GridRect{2, 2, 2, 5}));
    Release(*grid, Center(*grid, 2, 2));
    QCOMPARE(clicks, 1);
    QCOMPARE(grid->Row(), 5);

    // Without range selection Shift does not extend: the press just picks the cell.
    grid->SetRangeSelect(false);
    Press(*grid, Center(*grid, 2, 8), Qt::ShiftModifier);
    Release(*grid, Center(*grid, 2, 8));
    QCOMPARE(grid->Row(), 8);
    QVERIFY(SameRect(grid->Selection(), GridRect{2, 8, 2, 8}));
}

void GridWidgetTest::pressOnFixedCellChangesNothing() {
    auto grid = MakeSheetGrid();
    grid->SetRow(4);
    Press(*grid, Center(*grid, 2, 4));
    Drag(*grid, Center(*grid, 2, 6));
    Release(*grid, Center(*grid, 2, 6));
    int clicks = 0;
    int downs = 0;
    grid->OnClick = [&] { ++clicks; };
    grid->OnMouseDown = [&](MouseButton, ShiftState, int, int) { ++downs; };
    for (int col : {0, 1}) {
        Press(*grid, Center(*grid, col, 12));
        Drag(*grid, Center(*grid, 2, 13));
        Release(*grid, Center(*grid, 2, 13));
    }
    QCOMPARE(downs, 2);
    QCOMPARE(clicks, 0);
    QCOMPARE(grid->Row(), 4);
    QVERIFY(SameRect(grid->Selection(), GridRect{2, 4, 2, 6}));
}

void GridWidgetTest::selectCellCanRefuse() {
    auto grid = MakeSheetGrid();
    grid->SetRow(3);
    int clicks = 0;
    std::vector<std::pair<int, int>> asked;
    grid->OnClick = [&] { ++clicks; };
    grid->OnSelectCell = [&](int col, int row, bool& canSelect) {
        asked.emplace_back(col, row);
        if (row == 4) canSelect = false;
    };
    grid->SetRow(4);
    QCOMPARE(grid->Row(), 3);
    QTest::keyClick(grid.get(), Qt::Key_Down);
    QCOMPARE(grid->Row(), 3);
    Press(*grid, Center(*grid, 2, 4));
    Release(*grid, Center(*grid, 2, 4));
    QCOMPARE(grid->Row(), 3);
    QCOMPARE(clicks, 0);
    QCOMPARE(asked.size(), std::size_t(3));
    QCOMPARE(asked.front(), std::make_pair(2, 4));

    grid->SetRow(5);
    QCOMPARE(grid->Row(), 5);
    QCOMPARE(clicks, 1);
}

void GridWidgetTest::cellRectAndMouseToCellAgree_data() {
    QTest::addColumn<int>("scrollTo");
    QTest::addColumn<int>("col");
    QTest::addColumn<int>("row");
    const struct {
        const char* dataTag;
        int scrollTo;
        int col;
        int row;
    } rows[] = {
        {"top, label column", 0, 0, 0},           {"top, formula column", 0, 2, 14},
        {"scrolled, first shown row", 50, 2, 36}, {"scrolled, fixed column", 50, 1, 50},
        {"bottom, last row", 99, 2, 99},
    };
    for (const auto& row : rows)
        QTest::newRow(row.dataTag) << row.scrollTo << row.col << row.row;
}

void GridWidgetTest::cellRectAndMouseToCellAgree() {
    QFETCH(int, scrollTo);
    QFETCH(int, col);
    QFETCH(int, row);
    auto grid = MakeSheetGrid();
    grid->SetRow(scrollTo);
    const GridRect rect = grid->CellRect(col, row);
    QVERIFY2(!IsEmpty(rect), qPrintable(Describe(rect)));
    QCOMPARE(rect.right - rect.left, grid->ColWidth(col));
    QCOMPARE(rect.bottom - rect.top, kRowHeight);
    int hitCol = -1;
    int hitRow = -1;
    for (QPoint corner : {QPoint(rect.left, rect.top), QPoint(rect.right - 1, rect.bottom - 1),
                          Center(*grid, col, row)}) {
        QVERIFY(grid->MouseToCell(corner.x(), corner.y(), hitCol, hitRow));
        QCOMPARE(hitCol, col);
        QCOMPARE(hitRow, row);
    }
    // The row just above the shown ones has no rectangle once the grid has scrolled.
    const int above = grid->TopRow() - 1;
    if (above >= 0) QVERIFY(IsEmpty(grid->CellRect(col, above)));
    QVERIFY(!grid->MouseToCell(grid->viewport()->width() - 1, 5, hitCol, hitRow));
    QCOMPARE(hitCol, -1);
    QVERIFY(!grid->MouseToCell(-1, 5, hitCol, hitRow));
}

void GridWidgetTest::fixedRowsAndColumnsStayInPlace() {
    auto grid = MakeSheetGrid();
    grid->SetColCount(8);
    grid->SetFixedRows(1);
    grid->SetFixedCols(1);
    for (int col = 1; col < 8; ++col)
        grid->SetColWidth(col, 100);
    grid->SetCol(7);
    grid->SetRow(80);
    QVERIFY(grid->LeftCol() > 1);
    QVERIFY(grid->TopRow() > 1);
    QVERIFY(SameRect(grid->CellRect(0, 0), GridRect{0, 0, 40, kRowHeight}));
    QVERIFY(
        SameRect(grid->CellRect(0, grid->TopRow()), GridRect{0, kRowHeight, 40, 2 * kRowHeight}));
    QVERIFY(SameRect(grid->CellRect(grid->LeftCol(), 0), GridRect{40, 0, 140, kRowHeight}));
    QVERIFY(IsEmpty(grid->CellRect(1, 1)));
    const GridRect current = grid->CellRect(7, 80);
    QVERIFY(!IsEmpty(current));
    QVERIFY(current.right <= grid->viewport()->width());
    int col = -1;
    int row = -1;
    QVERIFY(grid->MouseToCell(45, 5, col, row));
    QCOMPARE(col, grid->LeftCol());
    QCOMPARE(row, 0);
}

void GridWidgetTest::zeroWidthColumnTakesNoSpace() {
    auto grid = MakeSheetGrid();
    grid->SetColWidth(1, 0);
    QVERIFY(IsEmpty(grid->CellRect(1, 3)));
    QCOMPARE(grid->CellRect(2, 3).left, 40);
    int col = -1;
    int row = -1;
    QVERIFY(grid->MouseToCell(40, 3 * kRowHeight, col, row));
    QCOMPARE(col, 2);
    QCOMPARE(row, 3);
    QVERIFY(grid->MouseToCell(39, 3 * kRowHeight, col, row));
    QCOMPARE(col, 0);

    std::vector<int> drawnCols;
    int formulaLeft = -1;
    grid->OnDrawCell = [&](int c, int, const GridRect& rect, DrawState) {
        drawnCols.push_back(c);
        if (c == 2) formulaLeft = rect.left;
    };
    grid->grab();
    QVERIFY(!drawnCols.empty());
    QCOMPARE(std::count(drawnCols.begin(), drawnCols.end(), 1), 0);
    QCOMPARE(std::count(drawnCols.begin(), drawnCols.end(), 2), kShownRows);
    QCOMPARE(formulaLeft, 40);
}

void GridWidgetTest::drawStatesFollowSelection() {
    auto grid = MakeSheetGrid();
    Press(*grid, Center(*grid, 2, 3));
    Drag(*grid, Center(*grid, 2, 5));
    Release(*grid, Center(*grid, 2, 5));
    std::map<std::pair<int, int>, DrawState> states;
    grid->OnDrawCell = [&](int col, int row, const GridRect&, DrawState state) {
        states[{col, row}] = state;
    };
    grid->grab();
    QCOMPARE(int(states.size()), 3 * kShownRows);
    for (int row = 0; row < kShownRows; ++row) {
        const DrawState formula = states[{2, row}];
        QCOMPARE(formula.selected, row >= 3 && row <= 5);
        QVERIFY(!formula.fixed);
        for (int col : {0, 1}) {
            const DrawState fixed = states[std::make_pair(col, row)];
            QVERIFY(fixed.fixed);
            QVERIFY(!fixed.selected);
        }
    }
}

void GridWidgetTest::keyDownSeesVirtualKeys_data() {
    QTest::addColumn<int>("qtKey");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<int>("expected");
    QTest::addColumn<bool>("shift");
    QTest::addColumn<bool>("ctrl");
    const struct {
        const char* dataTag;
        int qtKey;
        int modifiers;
        int expected;
        bool shift;
        bool ctrl;
    } rows[] = {
        {"return", int(Qt::Key_Return), 0, 13, false, false},
        {"keypad enter", int(Qt::Key_Enter), int(Qt::KeypadModifier), 13, false, false},
        {"shift space", int(Qt::Key_Space), int(Qt::ShiftModifier), 32, true, false},
        {"ctrl space", int(Qt::Key_Space), int(Qt::ControlModifier), 32, false, true},
        {"escape", int(Qt::Key_Escape), 0, 27, false, false},
        {"backspace", int(Qt::Key_Backspace), 0, 8, false, false},
        {"left", int(Qt::Key_Left), 0, 37, false, false},
        {"down", int(Qt::Key_Down), 0, 40, false, false},
        {"letter", int(Qt::Key_Q), 0, int('Q'), false, false},
        {"digit", int(Qt::Key_7), 0, int('7'), false, false},
        {"keypad digit", int(Qt::Key_7), int(Qt::KeypadModifier), 0x67, false, false},
        {"f2", int(Qt::Key_F2), 0, 113, false, false},
    };
    for (const auto& row : rows)
        QTest::newRow(row.dataTag)
            << row.qtKey << row.modifiers << row.expected << row.shift << row.ctrl;
}

void GridWidgetTest::keyDownSeesVirtualKeys() {
    QFETCH(int, qtKey);
    QFETCH(int, modifiers);
    QFETCH(int, expected);
    QFETCH(bool, shift);
    QFETCH(bool, ctrl);
    auto grid = MakeSheetGrid();
    int seen = -1;
    ShiftState seenShift;
    grid->OnKeyDown = [&](int& key, ShiftState state) {
        seen = key;
        seenShift = state;
        key = 0;
    };
    grid->SetRow(10);
    QTest::keyClick(grid.get(), Qt::Key(qtKey), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(seen, expected);
    QCOMPARE(seenShift.shift, shift);
    QCOMPARE(seenShift.ctrl, ctrl);
    QVERIFY(!seenShift.alt);
    QCOMPARE(grid->Row(), 10);
}

void GridWidgetTest::keyDownCanConsumeKey() {
    auto grid = MakeSheetGrid();
    grid->SetRow(10);
    int clicks = 0;
    grid->OnClick = [&] { ++clicks; };
    grid->OnKeyDown = [](int& key, ShiftState) {
        if (key == VK_DOWN) key = 0;
        if (key == 'U') key = VK_UP;  // a handler may also replace the key
    };
    QTest::keyClick(grid.get(), Qt::Key_Down);
    QCOMPARE(grid->Row(), 10);
    QCOMPARE(clicks, 0);
    QTest::keyClick(grid.get(), Qt::Key_Up);
    QCOMPARE(grid->Row(), 9);
    QCOMPARE(clicks, 1);
    QTest::keyClick(grid.get(), Qt::Key_U);
    QCOMPARE(grid->Row(), 8);
    QCOMPARE(clicks, 2);
}

void GridWidgetTest::cursorKeysClampAndPage() {
    auto grid = MakeSheetGrid();
    int clicks = 0;
    grid->OnClick = [&] { ++clicks; };
    grid->SetRow(99);
    QTest::keyClick(grid.get(), Qt::Key_Down);
    QCOMPARE(grid->Row(), 99);
    QCOMPARE(clicks, 1);
    QTest::keyClick(grid.get(), Qt::Key_Right);
    QTest::keyClick(grid.get(), Qt::Key_Left);  // the fixed columns are not entered
    QCOMPARE(grid->Col(), 2);
    QCOMPARE(clicks, 1);
    QTest::keyClick(grid.get(), Qt::Key_Home);
    QCOMPARE(grid->Row(), 0);
    QTest::keyClick(grid.get(), Qt::Key_PageDown);
    QCOMPARE(grid->Row(), kShownRows);
    QTest::keyClick(grid.get(), Qt::Key_End);
    QCOMPARE(grid->Row(), 99);
    QCOMPARE(clicks, 4);

    // Shift extends the selection and keeps the current cell.
    QTest::keyClick(grid.get(), Qt::Key_Up, Qt::ShiftModifier);
    QTest::keyClick(grid.get(), Qt::Key_Up, Qt::ShiftModifier);
    QCOMPARE(grid->Row(), 99);
    QVERIFY(SameRect(grid->Selection(), GridRect{2, 97, 2, 99}));
    QCOMPARE(clicks, 4);
}

void GridWidgetTest::wheelScrollsThreeRowsPerNotch() {
    auto grid = MakeSheetGrid();
    grid->SetRow(1);
    int topLeftChanges = 0;
    grid->OnTopLeftChanged = [&] { ++topLeftChanges; };
    const QPoint pos = Center(*grid, 2, 2);
    const auto wheel = [&](int delta) {
        QWheelEvent event(QPointF(pos), grid->viewport()->mapToGlobal(QPointF(pos)), QPoint(),
                          QPoint(0, delta), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(grid->viewport(), &event);
    };
    wheel(-120);
    QCOMPARE(grid->TopRow(), 3);
    QCOMPARE(grid->CellRect(2, 3).top, 0);
    QCOMPARE(topLeftChanges, 1);
    wheel(-60);  // half a notch waits for the other half
    QCOMPARE(grid->TopRow(), 3);
    wheel(-60);
    QCOMPARE(grid->TopRow(), 6);
    wheel(600);
    QCOMPARE(grid->TopRow(), 0);
    QCOMPARE(grid->Row(), 1);  // the wheel scrolls; it does not move the current cell
    QCOMPARE(topLeftChanges, 3);
}

void GridWidgetTest::dragBelowViewportAutoScrolls() {
    auto grid = MakeSheetGrid();
    Press(*grid, Center(*grid, 2, 12));
    Drag(*grid, QPoint(Center(*grid, 2, 12).x(), grid->viewport()->height() + 10));
    QTRY_VERIFY(grid->TopRow() >= 3);
    QVERIFY(grid->Selection().bottom > 14);
    const QPoint inside = Center(*grid, 2, grid->TopRow() + kShownRows - 1);
    Drag(*grid, inside);
    const int top = grid->TopRow();
    QVERIFY(!grid->AutoScrolling());  // back inside: the scrolling has stopped
    QCOMPARE(grid->Selection().top, 12);
    QCOMPARE(grid->Selection().bottom, top + kShownRows - 1);
    Release(*grid, inside);
    QCOMPARE(grid->Row(), 12);
}

void GridWidgetTest::editorAsksAndReportsText() {
    auto grid = MakeSheetGrid();
    grid->SetRow(4);
    std::vector<std::string> reported;
    grid->OnGetEditText = [](int col, int row, std::string& text) {
        text = "cell " + std::to_string(col) + "," + std::to_string(row);
    };
    grid->OnSetEditText = [&](int, int row, const std::string& text) {
        reported.push_back(std::to_string(row) + ":" + text);
    };
    QTest::keyClick(grid.get(), Qt::Key_Return);
    QVERIFY(!grid->EditorMode());  // editing is off

    grid->SetEditing(true);
    QTest::keyClick(grid.get(), Qt::Key_Return);
    QVERIFY(grid->EditorMode());
    auto* editor = grid->viewport()->findChild<QLineEdit*>();
    QVERIFY(editor);
    QCOMPARE(editor->text(), QString("cell 2,4"));
    QTest::keyClicks(editor, "xyz");
    QTest::keyClick(editor, Qt::Key_Return);
    QVERIFY(!grid->EditorMode());
    QCOMPARE(grid->Cells(2, 4), std::string("xyz"));
    QCOMPARE(reported, std::vector<std::string>{"4:xyz"});

    QTest::keyClick(grid.get(), Qt::Key_F2);
    QVERIFY(grid->EditorMode());
    QTest::keyClicks(editor, "lost");
    QTest::keyClick(editor, Qt::Key_Escape);
    QVERIFY(!grid->EditorMode());
    QCOMPARE(grid->Cells(2, 4), std::string("xyz"));
    QCOMPARE(reported.size(), std::size_t(1));

    // Down in the editor stores the text and moves on.
    QTest::keyClick(grid.get(), Qt::Key_Return);
    QTest::keyClicks(editor, "next");
    QTest::keyClick(editor, Qt::Key_Down);
    QCOMPARE(grid->Row(), 5);
    QCOMPARE(reported.back(), std::string("4:next"));
}

void GridWidgetTest::focusMovesRaiseEnterAndExit() {
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* grid = new GridWidget;
    auto* other = new QLineEdit;
    layout->addWidget(grid);
    layout->addWidget(other);
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    other->setFocus();
    QStringList events;
    grid->OnEnter = [&] { events << "enter"; };
    grid->OnExit = [&] { events << "exit"; };
    QVERIFY(grid->SetFocus());
    QCOMPARE(events, QStringList{"enter"});
    grid->SetEditing(true);
    QTest::keyClick(grid, Qt::Key_F2);
    QVERIFY(grid->EditorMode());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QVERIFY(grid->hasFocus());
    QCOMPARE(events, QStringList{"enter"});
    other->setFocus();
    QCOMPARE(events, QStringList({"enter", "exit"}));
}

void GridWidgetTest::setFocusFailsWhenHidden() {
    GridWidget grid;
    QVERIFY(!grid.SetFocus());
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    grid.SetEnabled(false);
    QVERIFY(!grid.SetFocus());
    grid.SetEnabled(true);
    QVERIFY(grid.SetFocus());
}

QTEST_MAIN(GridWidgetTest)
#include "tst_grid_widget.moc"
