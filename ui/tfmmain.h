#pragma once
// The main window: menus and tool bar, the digit display and the input line, the sheet grid with
// its pad panel, and the status bar. Modes and views live in the settings record; the window
// shows them through RefreshWindow.

#include <QEvent>
#include <QMainWindow>
#include <QString>
#include <functional>
#include <memory>
#include <string>

#include "platform/file_stamp.h"
#include "platform/grid_control.h"
#include "sheet/formula_file.h"
#include "sheet/sheet_window.h"
#include "ui/formula_input.h"

class CalcExpression;
class DigitDisplay;
class ExcelControl;
class ExecuteParameter;
class ExtendStringGrid;
class FunctionPad;
class FormulaSheet;
class GridWidget;
class HelpWindow;
class QDialog;
class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QStatusBar;
class QToolBar;
class QToolButton;
class SheetUndo;

class TFMmain : public QMainWindow, public SheetWindow {
    Q_OBJECT

public:
    // Builds the window hidden and runs FormCreate. The window works with the settings record,
    // the evaluator, the sheet's grid object and the spreadsheet link; all outlive it.
    TFMmain(ExecuteParameter& settings, CalcExpression& calculator, ExtendStringGrid& sheetGrid,
            ExcelControl& excel, QWidget* parent = nullptr);
    ~TFMmain() override;

    // What the sheet asks of its window.
    void ShowDigits(const std::string& text, bool failed) override;
    void UpdateStatusBar() override;
    void SetInputText(const std::string& text) override;
    void RefreshWindow(bool recalculate) override;

    void FormCreate();
    void FormShow();
    void FormResize();
    bool FormCloseQuery();  // false keeps the window open
    void FormClose();
    void FormKeyDown(int& key, ShiftState shift);  // key := 0 consumes it

    // Command handlers. The sender is the clicked item or button (its data() holds the tag); a
    // null sender is the program's silent form of a command.
    void MMactionnewClick(QAction* sender);
    void MMactionloadClick(QAction* sender);
    // Reads the file at path into the sheet: the open command once the file is chosen, from
    // the dialog or from the command line.
    void LoadFormulaFile(const QString& path);
    void MMactionsaveClick(QAction* sender);
    void MMactionrenClick(QAction* sender);
    void MMactionexpexcelClick(QAction* sender);
    void MMactionexpclipClick(QAction* sender);
    void MMactionexitClick(QAction* sender);
    void MMeditundoClick(QAction* sender);
    void MMeditredoClick(QAction* sender);
    void MMmodeformClick(QAction* sender);
    void BTmodeformClick(QAction* sender);
    void MMmoderealClick(QAction* sender);
    void BTmoderealClick(QAction* sender);
    void MMview10Click(QAction* sender);
    void BTview10Click(QAction* sender);
    void MMviewtoolClick(QAction* sender);
    void MMviewfuncClick(QAction* sender);
    void MMviewstatClick(QAction* sender);
    void MMviewsetupClick(QAction* sender);
    void MMhelphelpClick(QAction* sender);
    void MMhelpwwwClick(QAction* sender);
    void MMhelpverClick(QAction* sender);
    void BTrecalClick();
    void MMactionrecalClick(QAction* sender);
    void BTclearClick();

    // The input line.
    void EDcalcKeyDown(int& key, ShiftState shift);  // key := 0 consumes it
    void EDcalcKeyPress(char32_t& key);              // key := 0 cancels the character
    void EDcalcChange();
    void EDcalcEnter();
    // Text the user pasted or dropped: one line is inserted at the caret; several lines fill
    // the current line and the lines below it.
    void EDcalcPaste(const QString& text);
    // Text an input method committed: taken character by character as typed ones are.
    void EDcalcCommit(const QString& text);

    // The grid and the status bar.
    void SGcalcClick();
    void SGcalcMouseDown(MouseButton button, ShiftState shift, int x, int y);
    void SGcalcMouseMove(ShiftState shift, int x, int y);  // the status-bar routine
    void SGcalcMouseUp(MouseButton button, ShiftState shift, int x, int y);
    void FormMouseWheelDown(ShiftState shift, bool& handled);
    void FormMouseWheelUp(ShiftState shift, bool& handled);

    // The sheet's modified state: the save button enabled and the two save items visible.
    bool Modified() const;
    void SetModified(bool modified);
    // The current line: the grid's current row.
    int CurrentLine() const;

    // The sheet as a formula file holds it: current line, file settings and formulas.
    FormulaFileContent SheetContent() const;
    // Puts a sheet back as unsaved work under the file name it had (the recovery of a sheet
    // that was never saved): the sheet is modified, FOLDER stays.
    void RestoreSheet(const FormulaFileContent& content, const QString& fileName);
    // Closes the window without the unsaved-changes question, for an end nobody can answer.
    void CloseWithoutQuestion();

    // The title for a file path: "Tessarin", or "Tessarin - [ name ]".
    static QString TitleFor(const QString& fileName);

    // Full path of the formula file last opened or saved; empty when there is none.
    const QString& CurrentFileName() const { return fileName_; }

    // The windows the start-up creates beside this one; each may stay null (tests). Escape
    // shows the keypad, MMhelpver the version window; makeSetup makes the settings dialog when
    // MMviewsetup first needs it, which leaves its fonts and controls out of start-up.
    void SetSideWindows(QWidget* keypad, QDialog* version, std::function<QDialog*()> makeSetup);
    // What the keypad works on: the lists whose entries its keys insert, and the input line it
    // opens under.
    FunctionPad* FunctionLists() const { return PLpad; }
    FormulaInput* InputLine() const { return EDcalc; }

    // Shows address in the help menu item, which with the tool button opens it; an empty
    // address hides both rather than offering a page that does not exist.
    void ShowSupportAddress(const QString& address);
    // The help window, once MMhelphelp has opened it.
    HelpWindow* Help() const { return helpWindow_.get(); }

signals:
    // The window has closed; the program ends its message loop.
    void Closed();
    // The sheet, its modified state or its settings may have changed.
    void SheetChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildLayout();
    // The menus, menu items and tool buttons, from the command table.
    void BuildCommands();
    void BuildResultPanel();
    void BuildGridPanel();
    void BuildStatusBar();
    // The input line's key events: true when the event was handled here.
    bool InputKeyPress(QKeyEvent* event);
    // Whether an event must find the input line's composition committed before it acts.
    bool CommitsComposition(QObject* watched, const QEvent& event) const;
    // Wheel notches over the window or the grid; true when handled.
    bool HandleWheel(QWheelEvent* event);
    void MoveToLine(int line);
    // Settings and formulas of a file into the sheet; with toCurrentLine the file's current line
    // becomes the sheet's.
    void PutSheetContent(const FormulaFileContent& content, bool toCurrentLine);
    void SaveFormulaFile();
    void RebuildTitle();

    ExecuteParameter& settings_;
    CalcExpression& calculator_;
    ExtendStringGrid& sheetGrid_;
    ExcelControl& excel_;

    // Menus (MMaction, MMactionexp, MMedit, MMmode, MMview, MMhelp) and their items.
    QMenu *MMaction = nullptr, *MMactionexp = nullptr, *MMedit = nullptr, *MMmode = nullptr,
          *MMview = nullptr, *MMhelp = nullptr;
    QAction *MMactionnew = nullptr, *MMactionload = nullptr, *MMactionsave = nullptr,
            *MMactionren = nullptr, *MMactionrecal = nullptr, *MMactionexpexcel = nullptr,
            *MMactionexpclip = nullptr, *MMactionexit = nullptr;
    QAction *MMeditundo = nullptr, *MMeditredo = nullptr;
    QAction *MMmodeform = nullptr, *MMmodecalc = nullptr, *MMmodereal = nullptr,
            *MMmodeint = nullptr;
    QAction *MMview10 = nullptr, *MMview16 = nullptr, *MMviewtool = nullptr, *MMviewfunc = nullptr,
            *MMviewstat = nullptr, *MMviewsetup = nullptr;
    QAction *MMhelphelp = nullptr, *MMhelpwww = nullptr, *MMhelpver = nullptr;

    // Tool buttons, in bar order.
    QAction *BTactionnew = nullptr, *BTactionopen = nullptr, *BTactionsave = nullptr;
    QAction *BTactionexpexcel = nullptr, *ToolButton1 = nullptr;
    QAction *BTmodeform = nullptr, *BTmodecalc = nullptr, *BTmodereal = nullptr,
            *BTmodeint = nullptr;
    QAction *BTview10 = nullptr, *BTview16 = nullptr;
    QAction *BTviewtool = nullptr, *BTviewfunc = nullptr, *BTviewstat = nullptr;
    QAction *BThelphelp = nullptr, *BThelpwww = nullptr;

    QWidget* PLtool = nullptr;
    QToolBar* TBtool = nullptr;
    QWidget* PLresult = nullptr;
    DigitDisplay* digits = nullptr;
    FormulaInput* EDcalc = nullptr;
    QToolButton* BTclear = nullptr;
    QToolButton* BTrecal = nullptr;
    QWidget* PLbase = nullptr;
    GridWidget* SGcalc = nullptr;
    FunctionPad* PLpad = nullptr;  // LBfunc and LBconst
    QStatusBar* SBstatus = nullptr;
    QLabel* statusPanels[3] = {};

    bool Updating = false;
    bool StatusUpdateAllowed = false;
    bool KeyTyped = false;

    QWidget* keypadWindow = nullptr;
    QDialog* setupWindow = nullptr;
    QDialog* versionWindow = nullptr;
    std::function<QDialog*()> makeSetupWindow;

    QString helpFile;        // the help document TSRN.HLP
    QString supportAddress;  // opened by MMhelpwww; empty: the item and its button are hidden
    QString fileName_;

    std::unique_ptr<FormulaSheet> sheet_;
    std::unique_ptr<HelpWindow> helpWindow_;
    std::unique_ptr<SheetUndo> undo_;
    FileStamp sheetFileStamp_;  // fileName_ as this run last opened or saved it
    bool shown_ = false;
    bool askOnClose_ = true;
    int wheelRest_ = 0;
};
