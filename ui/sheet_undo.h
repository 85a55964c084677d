#pragma once
// Undo and redo of the main window's sheet. The typing in a line, from the moment the line
// becomes current until it stops being current, is one step; every other change of the
// formulas (a command, a paste, a keypad or list insertion, the clear button) is a step of its
// own. A step ends where the next one begins: before any key or click that is not typing in the
// input line, and where the current line changes.

#include <QObject>

class QAction;

#include "sheet/sheet_history.h"

class TFMmain;

class SheetUndo : public QObject {
    Q_OBJECT

public:
    // Follows window from its present sheet on; gives its undo and redo items their keys and
    // enables them as the history allows. input is the window's input line: its typing is a
    // step that goes on until it stops.
    SheetUndo(TFMmain& window, QAction* undoItem, QAction* redoItem, QObject* input);

    // Puts back the formulas, the current line and the modified mark before or after the step.
    void Undo();
    void Redo();
    // Starts a fresh history at the present sheet (a new sheet, an opened file).
    void Reset();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    SheetState Take() const;
    void Observe();
    // Ends the step in progress at the sheet as it stands.
    void Settle();
    void Show(const SheetState& state);
    void UpdateItems();

    TFMmain& window_;
    QAction* undoItem_;
    QAction* redoItem_;
    QObject* input_;
    SheetHistory history_;
    SheetState seen_;  // the sheet at its last change
    bool typing_ = false;
    bool showing_ = false;
};
