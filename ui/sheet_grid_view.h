#pragma once
// The sheet's grid: the grid widget SGcalc shows the sheet's lines through the grid object's
// cell records (labels, right-aligned results, formulas, the current line's number in the
// result panel's colours), and turns picks, drags and the grid's own keys into moves and
// selections of the sheet.

#include <QObject>

#include "sheet/sheet_document.h"

class ExtendStringGrid;
class GridWidget;

class SheetGridView : public QObject {
    Q_OBJECT

public:
    // grid draws through records and shows sheet; all outlive the view.
    SheetGridView(GridWidget& grid, ExtendStringGrid& records, SheetDocument& sheet);

    // Lays the grid out for the sheet: 3 columns by 100 rows, the labels and the result column
    // resultChars characters wide (0 hides it), and shows the sheet.
    void LayOut(int resultChars);
    // The formula column takes the width the other two leave; the result column gives way down
    // to the room the window leaves it beside a formula column of the default width.
    void FitFormulaColumn();

signals:
    // A line is being picked with the mouse: the user goes on typing in the input line.
    void LinePicked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Show(const SheetChange& change);
    void ShowLine(int line);
    void MarkCurrentLine(int line, bool current);
    LineSelection GridSelection() const;
    void Picked();

    GridWidget& grid_;
    ExtendStringGrid& records_;
    SheetDocument& sheet_;
    SheetDocument::Subscription subscription_;
    int markedLine_ = 0;
    int resultChars_ = 0;
    bool laidOut_ = false;
    bool pressed_ = false;  // a mouse button is held in the grid
    bool showing_ = false;  // the grid follows the sheet: its events are the view's own
};
