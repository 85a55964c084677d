#include "ui/tfmmain.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QScopeGuard>
#include <QScopedValueRollback>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>
#include <iterator>

#include "desktop/dialogs.h"
#include "desktop/elided_label.h"
#include "desktop/font_choice.h"
#include "desktop/grid_widget.h"
#include "desktop/key_translation.h"
#include "desktop/window_layer.h"
#include "expr/calc_expression.h"
#include "expr/constant_file.h"
#include "platform/system_info.h"
#include "settings/execute_parameter.h"
#include "sheet/extend_string_grid.h"
#include "sheet/formula_sheet.h"
#include "ui/accessibility.h"
#include "ui/digit_display.h"
#include "ui/function_pad.h"
#include "ui/help_window.h"
#include "ui/icons.h"
#include "ui/main_commands.h"
#include "ui/sheet_undo.h"
#include "ui/window_placement.h"
#include "ui/window_settings.h"

namespace {

// The longest texts of the status bar's panels: each panel is sized for its sample in the
// status bar's font.
const QString kStatusSamples[3] = {QStringLiteral(" Avg. -1.2345678901E+4931 "),
                                   QStringLiteral(" Avg. -1.2345678901E+4931 "),
                                   QStringLiteral(" n 100 ")};

int Tag(const QAction* sender) {
    return sender ? sender->data().toInt() : 0;
}

std::int32_t Toggled(std::int32_t flag) {
    return flag == 0 ? 1 : 0;
}

}  // namespace

TFMmain::TFMmain(ExecuteParameter& settings, CalcExpression& calculator,
                 ExtendStringGrid& sheetGrid, ExcelControl& excel, QWidget* parent)
    : QMainWindow(parent),
      settings_(settings),
      calculator_(calculator),
      sheetGrid_(sheetGrid),
      excel_(excel) {
    // Before any widget (the program has done so already; widget tests start here).
    InstallAccessibility();
    setObjectName(QStringLiteral("TFMmain"));
    resize(740, 500);
    BuildLayout();
    BuildCommands();
    sheet_ = std::make_unique<FormulaSheet>(*this, sheetGrid_, calculator_, settings_);
    qApp->installEventFilter(this);
    // Installed after the window's own filter, so it sees every key and click first.
    undo_ = std::make_unique<SheetUndo>(*this, MMeditundo, MMeditredo, EDcalc);
    FormCreate();
}

TFMmain::~TFMmain() {
    qApp->removeEventFilter(this);
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
    BuildStatusBar();
    // Tab goes through the window as it reads: the input line and its buttons, the sheet, the
    // lists beside it.
    QWidget* const order[] = {EDcalc, BTclear, BTrecal, SGcalc, PLpad->LBfunc, PLpad->LBconst};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
}

void TFMmain::BuildResultPanel() {
    PLresult = new QWidget(this);
    PLresult->setObjectName(QStringLiteral("PLresult"));
    PLresult->setAutoFillBackground(true);
    QPalette panel = PLresult->palette();
    panel.setColor(QPalette::Window, DigitDisplay::PanelColor());
    PLresult->setPalette(panel);
    auto* row = new QHBoxLayout(PLresult);
    row->setContentsMargins(0, 2, 6, 2);
    row->setSpacing(4);

    digits = new DigitDisplay(PLresult);
    digits->setObjectName(QStringLiteral("digits"));
    row->addWidget(digits);

    EDcalc = new FormulaInput(PLresult);
    EDcalc->setObjectName(QStringLiteral("EDcalc"));
    EDcalc->setAccessibleName(QStringLiteral("数式"));
    QFont bold = EDcalc->font();
    bold.setBold(true);
    EDcalc->setFont(bold);
    UseNumberFace(EDcalc);
    connect(EDcalc, &QLineEdit::textChanged, this, [this] { EDcalcChange(); });
    connect(EDcalc, &FormulaInput::Committed, this,
            [this](const QString& text) { EDcalcCommit(text); });
    connect(EDcalc, &FormulaInput::Pasted, this,
            [this](const QString& text) { EDcalcPaste(text); });
    row->addWidget(EDcalc, 1);

    const auto speedButton = [this](const char* name, const QString& hint, ToolIcon icon) {
        auto* button = new QToolButton(PLresult);
        button->setObjectName(QString::fromLatin1(name));
        button->setToolTip(hint);
        button->setAccessibleName(hint);
        button->setIcon(ToolIconPicture(icon));
        button->setAutoRaise(true);
        // Reached by Tab, never by a click: a click leaves the focus in the input line.
        button->setFocusPolicy(Qt::TabFocus);
        return button;
    };
    BTclear = speedButton("BTclear", QStringLiteral("式の消去"), ToolIcon::Clear);
    BTrecal = speedButton("BTrecal", QStringLiteral("式の再計算"), ToolIcon::Recalculate);
    connect(BTclear, &QToolButton::clicked, this, [this] { BTclearClick(); });
    connect(BTrecal, &QToolButton::clicked, this, [this] { BTrecalClick(); });
    row->addWidget(BTclear);
    row->addWidget(BTrecal);
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
    // A text cut short in its cell shows whole in the tip.
    SGcalc->cellToolTip = [this](int col, int row) {
        const CellProperty* cell = sheetGrid_.CellAt(col, row);
        return cell && !sheetGrid_.TextFits(col, row)
                   ? QString::fromStdString(cell->text).replace(u'\t', u'\n')
                   : QString();
    };
    // The grid object draws the cells from its records; a screen reader reads them there too.
    SGcalc->shownText = [this](int col, int row) {
        const CellProperty* cell = sheetGrid_.CellAt(col, row);
        return cell ? cell->text : std::string();
    };
    // The window's own handlers, installed before the grid object attaches, take precedence.
    SGcalc->OnClick = [this] { SGcalcClick(); };
    SGcalc->OnMouseDown = [this](MouseButton button, ShiftState shift, int x, int y) {
        SGcalcMouseDown(button, shift, x, y);
    };
    SGcalc->OnMouseMove = [this](ShiftState shift, int x, int y) { SGcalcMouseMove(shift, x, y); };
    SGcalc->OnMouseUp = [this](MouseButton button, ShiftState shift, int x, int y) {
        SGcalcMouseUp(button, shift, x, y);
    };
    row->addWidget(SGcalc, 1);

    PLpad = new FunctionPad(EDcalc, settings_, calculator_, PLbase);
    // An insertion from the lists enables only the save button; the save items stay hidden.
    PLpad->SetModifiedHandler([this] { BTactionsave->setEnabled(true); });
    row->addWidget(PLpad);
}

void TFMmain::BuildStatusBar() {
    SBstatus = statusBar();
    SBstatus->setObjectName(QStringLiteral("SBstatus"));
    for (int i = 0; i < 3; ++i) {
        auto* label = new ElidedLabel(kStatusSamples[i], SBstatus);
        label->setObjectName(QStringLiteral("statusPanel%1").arg(i));
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        SBstatus->addWidget(label);
        statusPanels[i] = label;
    }
}

void TFMmain::FormCreate() {
    Updating = true;
    QCoreApplication::processEvents();
    helpFile =
        QString::fromStdString(HelpDocumentPath(settings_.EXEPATH, TESSARIN_SHARED_DATA_DIR));
    RestoreWindowBounds(this, settings_.LEFT, settings_.TOP, settings_.WIDTH, settings_.HEIGHT);
    if (calculator_.Constants.empty()) AddDefaultConstants(calculator_.Constants);
    calculator_.Degree = settings_.DEGREE;
}

void TFMmain::FormShow() {
    {
        // Set since FormCreate; cleared here also when preparing the sheet throws.
        const auto prepared = qScopeGuard([this] { Updating = false; });
        LayOutSheetGrid(sheetGrid_, *SGcalc, settings_.RWIDTH);
        MMactionnewClick(MMactionnew);
        SGcalcClick();
        digits->ShowDigits(QString(), false);
        PLpad->FillConstList();
    }
    RefreshWindow(true);
    ApplyTransparency(this, settings_.TRANS);
}

void TFMmain::RefreshWindow(bool recalculate) {
    if (Updating) return;
    {
        // Also cleared when the recalculation throws.
        const QScopedValueRollback<bool> updating(Updating, true);
        const ExecuteParameter& p = settings_;

        MMmodeform->setChecked(p.AMODE == 0);
        MMmodecalc->setChecked(p.AMODE == 1);
        MMmodereal->setChecked(p.CMODE == 0);
        MMmodeint->setChecked(p.CMODE == 1);
        MMview10->setVisible(p.CMODE == 1);
        MMview16->setVisible(p.CMODE == 1);
        MMview10->setChecked(p.VMODE == 0);
        MMview16->setChecked(p.VMODE == 1);
        MMviewtool->setChecked(p.TOOL != 0);
        MMviewfunc->setChecked(p.FUNCTION != 0);
        MMviewstat->setChecked(p.STATUS != 0);

        BTmodeform->setChecked(MMmodeform->isChecked());
        BTmodecalc->setChecked(MMmodecalc->isChecked());
        BTmodereal->setChecked(MMmodereal->isChecked());
        BTmodeint->setChecked(MMmodeint->isChecked());
        BTviewtool->setChecked(MMviewtool->isChecked());
        BTviewfunc->setChecked(MMviewfunc->isChecked());
        BTviewstat->setChecked(MMviewstat->isChecked());
        BTview10->setChecked(MMview10->isVisible() && MMview10->isChecked());
        BTview16->setChecked(MMview16->isVisible() && MMview16->isChecked());
        BTview10->setEnabled(MMview10->isVisible());
        BTview16->setEnabled(MMview16->isVisible());

        PLtool->setVisible(p.TOOL != 0);
        PLpad->setVisible(p.FUNCTION != 0);
        SBstatus->setVisible(p.STATUS != 0);

        if (recalculate) sheet_->RecalcAll();

        SGcalc->Repaint();
        UpdateStatusBar();
        RebuildTitle();
        FormResize();
    }
    emit SheetChanged();
}

QString TFMmain::TitleFor(const QString& fileName) {
    if (fileName.isEmpty()) return QStringLiteral("Tessarin");
    return QStringLiteral("Tessarin - [ ") + QFileInfo(fileName).fileName() + QStringLiteral(" ]");
}

void TFMmain::RebuildTitle() {
    setWindowTitle(TitleFor(fileName_));
}

void TFMmain::FormResize() {
    const int rest = SGcalc->Width() - SGcalc->ColWidth(0) - SGcalc->ColWidth(1) - 24;
    SGcalc->SetColWidth(2, std::max(rest, 0));
}

bool TFMmain::FormCloseQuery() {
    if (askOnClose_ && settings_.ASK != 0 && Modified()) {
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

void TFMmain::FormKeyDown(int& key, ShiftState) {
    if (key == VK_ESCAPE && keypadWindow) {
        keypadWindow->show();
        key = 0;
    }
}

void TFMmain::SetSideWindows(QWidget* keypad, QDialog* version,
                             std::function<QDialog*()> makeSetup) {
    keypadWindow = keypad;
    versionWindow = version;
    setupWindow = nullptr;
    makeSetupWindow = std::move(makeSetup);
}

bool TFMmain::Modified() const {
    return BTactionsave->isEnabled();
}

void TFMmain::SetModified(bool modified) {
    BTactionsave->setEnabled(modified);
    MMactionsave->setVisible(modified);
    MMactionren->setVisible(modified);
    emit SheetChanged();
}

int TFMmain::CurrentLine() const {
    return SGcalc->Row();
}

void TFMmain::ShowDigits(const std::string& text, bool failed) {
    digits->ShowDigits(QString::fromStdString(text), failed);
}

void TFMmain::UpdateStatusBar() {
    StatusUpdateAllowed = true;
    SGcalcMouseMove({}, 0, 0);
    StatusUpdateAllowed = false;
}

void TFMmain::SetInputText(const std::string& text) {
    EDcalc->setText(QString::fromStdString(text));
}

void TFMmain::MMmodeformClick(QAction* sender) {
    settings_.AMODE = Tag(sender);
    RefreshWindow(false);
}

void TFMmain::BTmodeformClick(QAction* sender) {
    settings_.AMODE = Tag(sender);
    RefreshWindow(false);
}

void TFMmain::MMmoderealClick(QAction* sender) {
    settings_.CMODE = Tag(sender);
    RefreshWindow(true);
}

void TFMmain::BTmoderealClick(QAction* sender) {
    settings_.CMODE = Tag(sender);
    RefreshWindow(true);
}

void TFMmain::MMview10Click(QAction* sender) {
    settings_.VMODE = Tag(sender);
    RefreshWindow(true);
}

void TFMmain::BTview10Click(QAction* sender) {
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
    if (!setupWindow && makeSetupWindow) setupWindow = makeSetupWindow();
    if (setupWindow) setupWindow->exec();
    PLpad->FillConstList();
    RefreshWindow(true);
    ApplyWindowSettings(this, settings_);
}

void TFMmain::BTrecalClick() {
    RefreshWindow(true);
}

void TFMmain::MMactionrecalClick(QAction*) {
    BTrecalClick();
}

void TFMmain::BTclearClick() {
    EDcalc->setText(QString());
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
    if (versionWindow) versionWindow->exec();
}

void TFMmain::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    // Later shows (a changed stay-on-top layer re-shows the window) must not reset the sheet.
    if (shown_) return;
    shown_ = true;
    FormShow();
}

void TFMmain::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    if (shown_) FormResize();
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

bool TFMmain::eventFilter(QObject* watched, QEvent* event) {
    // The window watches the events of all its widgets: it previews keys, takes every wheel
    // notch as a line move and places the input line's caret. What the user does anywhere
    // meets the input line with its composition committed.
    if (EDcalc->Composing() && CommitsComposition(watched, *event)) EDcalc->CommitComposition();
    switch (event->type()) {
        case QEvent::KeyPress: {
            auto* key = static_cast<QKeyEvent*>(event);
            const auto* widget = qobject_cast<QWidget*>(watched);
            // A key ignored by its control travels on to the containers, which take no focus:
            // the preview sees it once, at the focused control.
            if (widget && widget->window() == this && widget->focusPolicy() != Qt::NoFocus) {
                int code = ToVirtualKey(*key);
                if (code != 0) {
                    FormKeyDown(code, ToShiftState(key->modifiers()));
                    if (code == 0) return true;
                }
            }
            if (watched == EDcalc) return InputKeyPress(key);
            break;
        }
        case QEvent::FocusIn:
            if (watched == EDcalc) {
                // The control's own focus handling may select the text; the caret rule wins.
                static_cast<QObject*>(EDcalc)->event(event);
                EDcalcEnter();
                return true;
            }
            break;
        case QEvent::Wheel: {
            const auto* widget = qobject_cast<QWidget*>(watched);
            if (widget && widget->window() == this) {
                return HandleWheel(static_cast<QWheelEvent*>(event));
            }
            break;
        }
        case QEvent::Resize:
            if (watched == SGcalc && shown_) FormResize();
            break;
        default:
            break;
    }
    return QMainWindow::eventFilter(watched, event);
}
