#pragma once
// The main window: menus and tool bar, the digit display and the input line, the sheet's grid
// with its pad panel, and the status bar. It shows the sheet document and turns the user's
// commands into the document's; modes and views live in the settings record, which the window
// shows through RefreshWindow.

#include <QMainWindow>
#include <QString>
#include <functional>
#include <memory>

#include "sheet/sheet_document.h"

class CalcExpression;
class ExcelControl;
class ExecuteParameter;
class ExtendStringGrid;
class FileCommands;
class FormulaInput;
class FunctionPad;
class GridWidget;
class HelpWindow;
class QAction;
class QActionGroup;
class QDialog;
class QToolBar;
class ResultPanel;
class SheetGridView;
class SheetInput;
class SheetStatusBar;

class TFMmain : public QMainWindow {
    Q_OBJECT

public:
    // Builds the window hidden and runs FormCreate. The window shows sheet, works with the
    // settings record, the evaluator (its constants), the grid object that draws the sheet and
    // the spreadsheet link; all outlive it.
    TFMmain(ExecuteParameter& settings, CalcExpression& calculator, SheetDocument& sheet,
            ExtendStringGrid& sheetGrid, ExcelControl& excel, QWidget* parent = nullptr);
    ~TFMmain() override;

    // The file commands, which the start-up uses for a file named on the command line and a
    // recovery copy.
    FileCommands& Files() { return *files_; }
    // Closes the window without the unsaved-changes question, for an end nobody can answer.
    void CloseWithoutQuestion();

    // The title for a file path: "Tessarin", or "Tessarin - [ name ]".
    static QString TitleFor(const QString& fileName);

    // The windows opened from this one, each made when it is first opened, which leaves their
    // fonts, pictures and controls out of start-up: Escape shows the keypad, MMhelpver the
    // version window, MMviewsetup the settings dialog. A maker may be empty (tests).
    struct SideWindows {
        std::function<QWidget*()> keypad;
        std::function<QDialog*()> version;
        std::function<QDialog*()> setup;
    };
    void SetSideWindows(SideWindows makers);
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

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    // A file dropped anywhere on the window is opened.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    // Wheel notches anywhere in the window move the current line.
    void wheelEvent(QWheelEvent* event) override;

private:
    // Brings menus, tool buttons and panels in line with the settings, recalculating all lines
    // when asked, and refreshes the status bar and the title.
    void RefreshWindow(bool recalculate);
    void FormCreate();
    void FormShow();
    bool FormCloseQuery();  // false keeps the window open
    void FormClose();
    void FormKeyDown();  // Escape: the keypad

    void BuildLayout();
    void BuildResultPanel();
    void BuildGridPanel();
    // The menus, menu items and tool buttons, from the command table.
    void BuildCommands();
    // What the window shows of the sheet beyond its lines: the modified mark on the save
    // commands, the file in the title, what undo and redo can do.
    void ShowSheet(const SheetChange& change);
    // A line as a screen reader reads it whole.
    std::string Reading(int line) const;

    // Command handlers; sender is the triggered action (its data() holds a mode's value).
    void MMactionnewClick(QAction* sender);
    void MMactionloadClick(QAction* sender);
    void MMactionsaveClick(QAction* sender);
    void MMactionrenClick(QAction* sender);
    void MMactionexpexcelClick(QAction* sender);
    void MMactionexpclipClick(QAction* sender);
    void MMactionrecalClick(QAction* sender);
    void MMactionexitClick(QAction* sender);
    void MMeditundoClick(QAction* sender);
    void MMeditredoClick(QAction* sender);
    void MMmodeformClick(QAction* sender);
    void MMmoderealClick(QAction* sender);
    void MMview10Click(QAction* sender);
    void MMviewtoolClick(QAction* sender);
    void MMviewfuncClick(QAction* sender);
    void MMviewstatClick(QAction* sender);
    void MMviewsetupClick(QAction* sender);
    void MMhelphelpClick(QAction* sender);
    void MMhelpwwwClick(QAction* sender);
    void MMhelpverClick(QAction* sender);

    ExecuteParameter& settings_;
    CalcExpression& calculator_;
    SheetDocument& sheet_;
    ExtendStringGrid& sheetGrid_;
    ExcelControl& excel_;

    // One action per command, in the menus and, through a tool button, on the tool bar.
    QAction *MMactionnew = nullptr, *MMactionload = nullptr, *MMactionsave = nullptr,
            *MMactionren = nullptr, *MMactionrecal = nullptr, *MMactionexpexcel = nullptr,
            *MMactionexpclip = nullptr, *MMactionexit = nullptr;
    QAction *MMeditundo = nullptr, *MMeditredo = nullptr;
    QAction *MMmodeform = nullptr, *MMmodecalc = nullptr, *MMmodereal = nullptr,
            *MMmodeint = nullptr;
    QAction *MMview10 = nullptr, *MMview16 = nullptr, *MMviewtool = nullptr, *MMviewfunc = nullptr,
            *MMviewstat = nullptr, *MMviewsetup = nullptr;
    QAction *MMhelphelp = nullptr, *MMhelpwww = nullptr, *MMhelpver = nullptr;
    QActionGroup* baseGroup = nullptr;  // MMview10, MMview16
    QAction* BThelpwww = nullptr;       // the support page's place on the tool bar

    QWidget* PLtool = nullptr;
    QToolBar* TBtool = nullptr;
    ResultPanel* PLresult = nullptr;  // the digit display, EDcalc, BTclear, BTrecal
    FormulaInput* EDcalc = nullptr;
    QWidget* PLbase = nullptr;
    GridWidget* SGcalc = nullptr;
    FunctionPad* PLpad = nullptr;  // LBfunc and LBconst
    SheetStatusBar* SBstatus = nullptr;

    FileCommands* files_ = nullptr;
    std::unique_ptr<SheetInput> input_;
    std::unique_ptr<SheetGridView> gridView_;
    SheetDocument::Subscription subscription_;

    SideWindows makeSideWindow;
    QWidget* keypadWindow = nullptr;
    QDialog* setupWindow = nullptr;
    QDialog* versionWindow = nullptr;

    QString helpFile;        // the help document TSRN.HLP
    QString supportAddress;  // opened by MMhelpwww; empty: the item and its button are hidden
    std::unique_ptr<HelpWindow> helpWindow_;
    bool shown_ = false;
    bool askOnClose_ = true;
    int wheelRest_ = 0;
};
