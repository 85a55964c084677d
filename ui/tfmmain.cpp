#include "ui/tfmmain.h"

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDialog>
#include <QDropEvent>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMimeData>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <exception>
#include <iterator>

#include "desktop/clipboard.h"
#include "desktop/dialogs.h"
#include "desktop/file_names.h"
#include "desktop/font_choice.h"
#include "desktop/grid_widget.h"
#include "desktop/window_layer.h"
#include "export/excel_control.h"
#include "export/export_text.h"
#include "expr/calc_expression.h"
#include "expr/constant_file.h"
#include "platform/sheet_speech.h"
#include "platform/system_info.h"
#include "settings/execute_parameter.h"
#include "sheet/extend_string_grid.h"
#include "sheet/sheet_summary.h"
#include "ui/accessibility.h"
#include "ui/digit_display.h"
#include "ui/file_commands.h"
#include "ui/formula_input.h"
#include "ui/function_pad.h"
#include "ui/help_window.h"
#include "ui/result_panel.h"
#include "ui/sheet_grid_view.h"
#include "ui/sheet_input.h"
#include "ui/sheet_status_bar.h"
#include "ui/window_placement.h"
#include "ui/window_settings.h"

namespace {

constexpr int kWheelNotch = 120;

int Tag(const QAction* sender) {
    return sender ? sender->data().toInt() : 0;
}

std::int32_t Toggled(std::int32_t flag) {
    return flag == 0 ? 1 : 0;
}

// The side window, made by maker when it is first asked for; null without a maker.
template <typename Window>
Window* Made(Window*& window, const std::function<Window*()>& maker) {
    if (!window && maker) window = maker();
    return window;
}

}  // namespace

TFMmain::TFMmain(ExecuteParameter& settings, CalcExpression& calculator, SheetDocument& sheet,
                 ExtendStringGrid& sheetGrid, ExcelControl& excel, QWidget* parent)
    : QMainWindow(parent),
      settings_(settings),
      calculator_(calculator),
      sheet_(sheet),
      sheetGrid_(sheetGrid),
      excel_(excel) {
    // Before any widget (the program has done so already; widget tests start here).
    InstallAccessibility();
    setObjectName(QStringLiteral("TFMmain"));
    resize(740, 500);
    BuildLayout();
    BuildCommands();
    files_ = new FileCommands(*this, sheet_, settings_);
    connect(files_, &FileCommands::SettingsTaken, this, [this] { RefreshWindow(true); });
    setAcceptDrops(true);
    connect(EDcalc, &FormulaInput::FileDropped, files_,
            [this](const std::string& path) { files_->Open(path); });
    subscription_ = sheet_.Observe([this](const SheetChange& change) { ShowSheet(change); });
    FormCreate();
}

TFMmain::~TFMmain() {
    // The grid object outlives the window; it must not keep drawing into a dead grid.
    if (sheetGrid_.grid == SGcalc) {
        sheetGrid_.grid = nullptr;
        sheetGrid_.canvas = nullptr;
    }
}

void TFMmain::BuildLayout() {
    auto* central = new QWidget(this);
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    auto* bevel = new QFrame(central);
    bevel->setFrameShape(QFrame::HLine);
    bevel->setFrameShadow(QFrame::Sunken);
    column->addWidget(bevel);

    PLtool = new QWidget(central);
    PLtool->setObjectName(QStringLiteral("PLtool"));
    auto* toolRow = new QHBoxLayout(PLtool);
    toolRow->setContentsMargins(2, 0, 2, 0);
    TBtool = new QToolBar(PLtool);
    TBtool->setObjectName(QStringLiteral("TBtool"));
    TBtool->setIconSize(QSize(16, 16));
    TBtool->setMovable(false);
    TBtool->setFloatable(false);
    toolRow->addWidget(TBtool);
    column->addWidget(PLtool);

    BuildResultPanel();
    column->addWidget(PLresult);
    BuildGridPanel();
    column->addWidget(PLbase, 1);
    setCentralWidget(central);
    SBstatus = new SheetStatusBar(sheet_, settings_, this);
    setStatusBar(SBstatus);
    // Tab goes through the window as it reads: the input line and its buttons, the sheet, the
    // lists beside it.
    QWidget* const order[] = {EDcalc, PLresult->BTclear, PLresult->BTrecal, SGcalc};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
    PLpad->FollowInTabOrder(SGcalc);
}

void TFMmain::BuildResultPanel() {
    PLresult = new ResultPanel(this);
    EDcalc = PLresult->EDcalc;
    PLresult->digits->Follow(sheet_);
    PLresult->digits->DescribeInput(EDcalc);
    input_ = std::make_unique<SheetInput>(*EDcalc, sheet_, settings_);
    connect(input_.get(), &SheetInput::Returning, PLresult->digits, &DigitDisplay::SpeakResult);
    connect(PLresult->BTclear, &QToolButton::clicked, this, [this] { input_->Clear(); });
    connect(PLresult->BTrecal, &QToolButton::clicked, this, [this] { RefreshWindow(true); });
}

void TFMmain::BuildGridPanel() {
    PLbase = new QWidget(this);
    PLbase->setObjectName(QStringLiteral("PLbase"));
    auto* row = new QHBoxLayout(PLbase);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);

    SGcalc = new GridWidget(PLbase);
    SGcalc->setObjectName(QStringLiteral("SGcalc"));
    SGcalc->SetColCount(3);
    SGcalc->SetFixedRows(0);
    SGcalc->SetFixedCols(2);
    SGcalc->SetRangeSelect(true);
    // Columns are sized in characters of this font: in a fixed-pitch one every digit, sign and
    // blank is one width, so the label column holds "A99" and the result column RWIDTH digits.
    QFont desktopFixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    desktopFixed.setPixelSize(12);
    desktopFixed.setBold(true);
    SGcalc->SetFont(GridFont{GridFamily(desktopFixed).toStdString(), 12, true, kWindowTextColor});
    gridView_ = std::make_unique<SheetGridView>(*SGcalc, sheetGrid_, sheet_);
    connect(gridView_.get(), &SheetGridView::LinePicked, this, [this] { input_->Focus(); });
    // What a screen reader reads of the sheet: its name, a line whole, the selection's sums.
    SGcalc->setAccessibleName(QStringLiteral("シート"));
    SGcalc->lineReading = [this](int row) { return QString::fromStdString(Reading(row)); };
    SGcalc->selectionReading = [this] {
        const std::array<std::string, 3> panels =
            SummaryTexts(sheet_, settings_.RSUM != 0, settings_.Modes());
        return QString::fromStdString(panels[0] + panels[1] + panels[2]).simplified();
    };
    row->addWidget(SGcalc, 1);

    PLpad = new FunctionPad(*input_, settings_, calculator_, PLbase);
    row->addWidget(PLpad);
}

void TFMmain::FormCreate() {
    helpFile =
        QString::fromStdString(HelpDocumentPath(settings_.EXEPATH, TESSARIN_SHARED_DATA_DIR));
    RestoreWindowBounds(this, settings_.LEFT, settings_.TOP, settings_.WIDTH, settings_.HEIGHT);
    if (calculator_.Constants.empty()) AddDefaultConstants(calculator_.Constants);
}

void TFMmain::FormShow() {
    gridView_->LayOut(settings_.RWIDTH);
    sheet_.NewSheet();
    PLpad->FillConstList();
    RefreshWindow(true);
    ApplyTransparency(this, settings_.TRANS);
}

void TFMmain::RefreshWindow(bool recalculate) {
    const ExecuteParameter& p = settings_;
    MMmodeform->setChecked(p.AMODE == 0);
    MMmodecalc->setChecked(p.AMODE == 1);
    MMmodereal->setChecked(p.CMODE == 0);
    MMmodeint->setChecked(p.CMODE == 1);
    // The bases exist in integer mode only: their items go, their buttons grey out released.
    const bool integer = p.CMODE == 1;
    MMview10->setVisible(integer);
    MMview16->setVisible(integer);
    baseGroup->setEnabled(integer);
    MMview10->setChecked(integer && p.VMODE == 0);
    MMview16->setChecked(integer && p.VMODE == 1);
    MMviewtool->setChecked(p.TOOL != 0);
    MMviewfunc->setChecked(p.FUNCTION != 0);
    MMviewstat->setChecked(p.STATUS != 0);

    PLtool->setVisible(p.TOOL != 0);
    PLpad->setVisible(p.FUNCTION != 0);
    SBstatus->setVisible(p.STATUS != 0);

    if (recalculate) sheet_.RecalcAll();
    SBstatus->Refresh();
    setWindowTitle(TitleFor(ShownPath(sheet_.FileName())));
    gridView_->FitFormulaColumn();
}

std::string TFMmain::Reading(int line) const {
    return LineReading(SheetDocument::Label(line), sheet_.Formula(line), sheet_.Result(line));
}

void TFMmain::ShowSheet(const SheetChange& change) {
    if (change.currentLine) {
        // The user goes on in the input line, and hears the line moved to; in the sheet itself
        // a screen reader reads it from the grid.
        if (SGcalc->hasFocus()) {
            PLresult->digits->ResultHeard();
        } else {
            input_->Focus();
            PLresult->digits->SpeakLine(QString::fromStdString(Reading(sheet_.CurrentLine())));
        }
    }
    if (change.modified) {
        // Saving is offered on the tool bar while the sheet is modified, in the menu after
        // typing.
        const bool typed = sheet_.ModifiedMark() == Modified::Typed;
        MMactionsave->setEnabled(sheet_.IsModified());
        MMactionsave->setVisible(typed);
        MMactionren->setVisible(typed);
    }
    if (change.file) setWindowTitle(TitleFor(ShownPath(sheet_.FileName())));
    if (change.history) {
        MMeditundo->setEnabled(sheet_.CanUndo());
        MMeditredo->setEnabled(sheet_.CanRedo());
    }
}

QString TFMmain::TitleFor(const QString& fileName) {
    if (fileName.isEmpty()) return QStringLiteral("Tessarin");
    return QStringLiteral("Tessarin - [ ") + QFileInfo(fileName).fileName() + QStringLiteral(" ]");
}

bool TFMmain::FormCloseQuery() {
    if (askOnClose_ && settings_.ASK != 0 && sheet_.IsModified()) {
        return CurrentDialogs().AskYesNo(
            this, QStringLiteral("数式を保存していません。\n終了しますか？"), true);
    }
    return true;
}

void TFMmain::CloseWithoutQuestion() {
    askOnClose_ = false;
    close();
}

void TFMmain::FormClose() {
    settings_.WIDTH = width();
    settings_.HEIGHT = height();
    // A position the window system made up would put the window elsewhere in the next session.
    if (!WindowPositionsAvailable()) return;
    settings_.LEFT = x();
    settings_.TOP = y();
}

void TFMmain::SetSideWindows(SideWindows makers) {
    makeSideWindow = std::move(makers);
    keypadWindow = nullptr;
    versionWindow = nullptr;
    setupWindow = nullptr;
}

void TFMmain::MMmodeformClick(QAction* sender) {
    settings_.AMODE = Tag(sender);
    RefreshWindow(false);
}

void TFMmain::MMmoderealClick(QAction* sender) {
    settings_.CMODE = Tag(sender);
    RefreshWindow(true);
}

void TFMmain::MMview10Click(QAction* sender) {
    settings_.VMODE = Tag(sender);
    RefreshWindow(true);
}

void TFMmain::MMviewtoolClick(QAction*) {
    settings_.TOOL = Toggled(settings_.TOOL);
    RefreshWindow(false);
}

void TFMmain::MMviewfuncClick(QAction*) {
    settings_.FUNCTION = Toggled(settings_.FUNCTION);
    RefreshWindow(false);
}

void TFMmain::MMviewstatClick(QAction*) {
    settings_.STATUS = Toggled(settings_.STATUS);
    RefreshWindow(false);
}

// Whatever closed the dialog, the window takes over the settings it may have changed.
void TFMmain::MMviewsetupClick(QAction*) {
    if (QDialog* setup = Made(setupWindow, makeSideWindow.setup)) setup->exec();
    PLpad->FillConstList();
    RefreshWindow(true);
    ApplyWindowSettings(this, settings_);
}

void TFMmain::MMactionnewClick(QAction*) {
    files_->New();
}

void TFMmain::MMactionloadClick(QAction*) {
    files_->Open();
}

void TFMmain::MMactionsaveClick(QAction*) {
    files_->Save();
}

void TFMmain::MMactionrenClick(QAction*) {
    files_->SaveAs();
}

void TFMmain::MMactionrecalClick(QAction*) {
    RefreshWindow(true);
}

void TFMmain::MMeditundoClick(QAction*) {
    sheet_.Undo();
}

void TFMmain::MMeditredoClick(QAction*) {
    sheet_.Redo();
}

void TFMmain::MMactionexitClick(QAction*) {
    close();
}

void TFMmain::MMhelphelpClick(QAction*) {
    if (!helpWindow_) helpWindow_ = std::make_unique<HelpWindow>();
    helpWindow_->LoadHelpFile(helpFile);
    // Above the main window even when that one stays on top.
    ApplyStayOnTop(helpWindow_.get(), settings_.TMOST != 0);
    if (!helpWindow_->isVisible()) {
        helpWindow_->FitOnScreenOf(this);
        CentreOnScreenOf(helpWindow_.get(), this);
    }
    helpWindow_->show();
    helpWindow_->raise();
    helpWindow_->activateWindow();
}

void TFMmain::MMhelpwwwClick(QAction*) {
    QDesktopServices::openUrl(QUrl(supportAddress));
}

void TFMmain::MMhelpverClick(QAction*) {
    if (QDialog* version = Made(versionWindow, makeSideWindow.version)) version->exec();
}

void TFMmain::dragEnterEvent(QDragEnterEvent* event) {
    if (!DroppedFile(*event->mimeData()).empty()) event->acceptProposedAction();
}

void TFMmain::dropEvent(QDropEvent* event) {
    const std::string file = DroppedFile(*event->mimeData());
    if (file.empty()) return;
    event->acceptProposedAction();
    files_->Open(file);
}

void TFMmain::MMactionexpclipClick(QAction*) {
    PutClipboardText(BuildExportText(sheet_, settings_.EOUT));
}

void TFMmain::MMactionexpexcelClick(QAction*) {
    // A refusal after the start (a cell the spreadsheet cannot take) is told here: an exception
    // must not travel through Qt's event delivery, whose own clean-up it would skip.
    const ExecuteParameter& p = settings_;
    try {
        const std::string text = BuildExportText(sheet_, p.EOUT);
        if (!ExportToSpreadsheet(excel_, p.ECELL, text,
                                 TextFieldOfExport(p.EOUT, p.CMODE, p.VMODE))) {
            CurrentDialogs().ShowNotice(this, QStringLiteral("Excelを起動できません。"),
                                        NoticeIcon::Error);
        }
    } catch (const std::exception& error) {
        CurrentDialogs().ShowNotice(this, QString::fromUtf8(error.what()), NoticeIcon::Error);
    }
}

void TFMmain::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    // Later shows (a changed stay-on-top layer re-shows the window) must not reset the sheet.
    if (shown_) return;
    shown_ = true;
    FormShow();
}

void TFMmain::closeEvent(QCloseEvent* event) {
    if (!FormCloseQuery()) {
        event->ignore();
        return;
    }
    FormClose();
    event->accept();
    emit Closed();
}

void TFMmain::keyPressEvent(QKeyEvent* event) {
    // Escape, which no control of the window takes, comes up to the window from any of them.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        if (QWidget* keypad = Made(keypadWindow, makeSideWindow.keypad)) keypad->show();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

void TFMmain::wheelEvent(QWheelEvent* event) {
    event->accept();
    // High-resolution wheels send parts of a notch; they add up to whole notches, each of which
    // moves the line as Up or Down in the input line does.
    wheelRest_ += event->angleDelta().y();
    for (; wheelRest_ >= kWheelNotch; wheelRest_ -= kWheelNotch) {
        int key = VK_UP;
        input_->EDcalcKeyDown(key, {});
    }
    for (; wheelRest_ <= -kWheelNotch; wheelRest_ += kWheelNotch) {
        int key = VK_DOWN;
        input_->EDcalcKeyDown(key, {});
    }
}
