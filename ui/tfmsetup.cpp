#include "ui/tfmsetup.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QStyle>
#include <QVBoxLayout>
#include <QtMath>
#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

#include "desktop/font_choice.h"
#include "desktop/window_layer.h"
#include "expr/calc_expression.h"
#include "expr/constant_file.h"
#include "settings/execute_parameter.h"
#include "ui/setting_bindings.h"
#include "ui/window_placement.h"
#include "ui/window_settings.h"

namespace {

template <typename Control>
Control* Named(Control* control, const char* name) {
    control->setObjectName(QLatin1String(name));
    return control;
}

// Characters below 32 (and DEL) are editing keys, never typed text.
bool IsControl(QChar key) {
    return key.unicode() < 32 || key.unicode() == 127;
}

// The memo holds one line per list entry, each ended by a line break, so that an empty last
// entry survives the round trip; a final line break does not start a further entry.
QString MemoText(const std::vector<std::string>& lines) {
    QString text;
    for (const std::string& line : lines)
        text += QString::fromStdString(line) + u'\n';
    return text;
}

std::vector<std::string> MemoLines(const QString& text) {
    QStringList pieces = text.split(u'\n');
    if (text.isEmpty() || text.endsWith(u'\n')) pieces.removeLast();
    std::vector<std::string> lines;
    lines.reserve(static_cast<std::size_t>(pieces.size()));
    for (const QString& piece : pieces)
        lines.push_back(piece.toStdString());
    return lines;
}

// Room for text in field's font, with the frame and the margins of a line edit.
int FieldWidth(const QLineEdit* field, const QString& text) {
    return field->fontMetrics().horizontalAdvance(text) + 12;
}

QVBoxLayout* GroupLayout(QGroupBox* group) {
    auto* column = new QVBoxLayout(group);
    column->setContentsMargins(6, 2, 6, 4);
    column->setSpacing(2);
    return column;
}

QHBoxLayout* Row(std::initializer_list<QWidget*> widgets, bool stretch = true) {
    auto* row = new QHBoxLayout;
    row->setSpacing(4);
    for (QWidget* widget : widgets)
        row->addWidget(widget);
    if (stretch) row->addStretch(1);
    return row;
}

// A label and the choices it heads, in a group that a screen reader names after the label, as it
// names the group boxes: a group box without a title or a frame.
QWidget* LabelledChoices(QLabel* label, std::initializer_list<QWidget*> choices) {
    auto* group = new QGroupBox;
    group->setFlat(true);
    group->setStyleSheet(QStringLiteral("QGroupBox { border: none; margin: 0; padding: 0; }"));
    group->setAccessibleName(label->text());
    auto* row = Row({label});
    row->setContentsMargins(0, 0, 0, 0);
    for (QWidget* choice : choices)
        row->insertWidget(row->count() - 1, choice);
    group->setLayout(row);
    return group;
}

}  // namespace

TFMsetup::TFMsetup(ExecuteParameter& settings, CalcExpression& calculator, QWidget* mainWindow)
    : QDialog(mainWindow,
              Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      transparencyAvailable(TransparencyAvailable),
      settings_(settings),
      calculator_(calculator),
      mainWindow_(mainWindow) {
    setObjectName(QStringLiteral("TFMsetup"));
    setWindowTitle(QStringLiteral(" 設定"));
    setModal(true);
    // A Japanese gothic face in the desktop's size: the layout grows with the desktop's font.
    QFont gothic = font();
    gothic.setFamilies(
        JapaneseFamilies({QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic")}));
    gothic.setStyleHint(QFont::SansSerif);
    setFont(gothic);
    CreateControls();
    LayOut();
    BindSettings();
}

void TFMsetup::CreateControls() {
    GBexecute = Named(new QGroupBox(QStringLiteral(" 起動／終了 "), this), "GBexecute");
    CHflash = Named(new QCheckBox(QStringLiteral("フラッシュロゴを表示する(&V)")), "CHflash");
    CHask = Named(new QCheckBox(QStringLiteral("終了時に問い合わせをする(&A)")), "CHask");

    GBreal = Named(new QGroupBox(QStringLiteral(" リアルタイム "), this), "GBreal");
    CHrtime = Named(new QCheckBox(QStringLiteral("全ての式を再計算する(&I)")), "CHrtime");
    CHrkakko = Named(new QCheckBox(QStringLiteral("閉じ括弧を補完する(&K)")), "CHrkakko");
    LLsum = Named(new QLabel(QStringLiteral("合計")), "LLsum");
    RBall = Named(new QRadioButton(QStringLiteral("全部(&L)")), "RBall");
    RBsel = Named(new QRadioButton(QStringLiteral("選択(&U)")), "RBsel");

    GBexp = Named(new QGroupBox(QStringLiteral(" エクスポート "), this), "GBexp");
    LLexpcell = Named(new QLabel(QStringLiteral("Excel 先頭セル(&E)")), "LLexpcell");
    EDexpcell = Named(new QLineEdit, "EDexpcell");
    CHexpnum = Named(new QCheckBox(QStringLiteral("番号(&M)")), "CHexpnum");
    CHexpval = Named(new QCheckBox(QStringLiteral("結果(&V)")), "CHexpval");
    CHexpexp = Named(new QCheckBox(QStringLiteral("式(&P)")), "CHexpexp");

    GBketa = Named(new QGroupBox(QStringLiteral(" 表示 "), this), "GBketa");
    LLketa10 = Named(new QLabel(QStringLiteral("１０進のカンマ(&C)")), "LLketa10");
    EDketa10 = Named(new QLineEdit, "EDketa10");
    EDketa10->setMaxLength(1);
    LLketa10note = Named(new QLabel(QStringLiteral("0 3 4 のみ")), "LLketa10note");
    LLketa16 = Named(new QLabel(QStringLiteral("１6進の桁数(&H)")), "LLketa16");
    EDketa16 = Named(new QLineEdit, "EDketa16");
    EDketa16->setMaxLength(2);
    LLketa16note = Named(new QLabel(QStringLiteral("1～16")), "LLketa16note");
    for (QLineEdit* digits : {EDketa10, EDketa16}) {
        // No composing in these fields; a commit that arrives anyway meets the key rules.
        digits->setAttribute(Qt::WA_InputMethodEnabled, false);
        digits->installEventFilter(this);
    }
    LLdegree = Named(new QLabel(QStringLiteral("角度")), "LLdegree");
    RBdegree = Named(new QRadioButton(QStringLiteral("度(&D)")), "RBdegree");
    RBrad = Named(new QRadioButton(QStringLiteral("ラジアン(&R)")), "RBrad");
    LLtrans = Named(new QLabel(QStringLiteral("透明度(&T)")), "LLtrans");
    TBtrans = Named(new TrackBar, "TBtrans");
    const SettingValues& levels = ExecuteParameter::ValuesOf(&ExecuteParameter::TRANS);
    TBtrans->setRange(levels.low, levels.high);
    TBtrans->setPageStep(1);
    TBtrans->setSingleStep(1);
    TBtrans->setTickInterval(1);
    TBtrans->setTickPosition(QSlider::TicksAbove);
    connect(TBtrans, &QSlider::valueChanged, this, &TFMsetup::TBtransChange);
    CHtmost = Named(new QCheckBox(QStringLiteral("常に最前列に表示する(&S)")), "CHtmost");
    // The setting is kept for the desktops that allow it.
    if (!StayOnTopAvailable()) {
        CHtmost->setEnabled(false);
        CHtmost->setToolTip(QStringLiteral("このデスクトップでは常に最前列に表示できません"));
    }

    LLexpcell->setBuddy(EDexpcell);
    LLketa10->setBuddy(EDketa10);
    LLketa16->setBuddy(EDketa16);
    LLtrans->setBuddy(TBtrans);

    // The two pairs of radio buttons share the display group box but choose apart.
    auto* sum = new QButtonGroup(this);
    sum->addButton(RBall);
    sum->addButton(RBsel);
    auto* angle = new QButtonGroup(this);
    angle->addButton(RBdegree);
    angle->addButton(RBrad);

    GBsiki = Named(new QGroupBox(QStringLiteral(" 式 "), this), "GBsiki");
    MMsiki = Named(new QPlainTextEdit, "MMsiki");
    MMsiki->setLineWrapMode(QPlainTextEdit::NoWrap);
    // A TAB in a constant's line would make the constant unknown to every formula.
    MMsiki->setTabChangesFocus(true);
    // A Mincho face, and the constants' numbers in one whose full stop reads as a point (IPA's
    // proportional Mincho draws it so where nothing else does).
    QFont mincho = MMsiki->font();
    mincho.setFamilies(
        JapaneseFamilies({QStringLiteral("IPAMincho"), QStringLiteral("IPA明朝"),
                          QStringLiteral("IPAPMincho"), QStringLiteral("IPA P明朝")}));
    mincho.setStyleHint(QFont::Serif);
    MMsiki->setFont(mincho);
    UseNumberFace(MMsiki);

    BTok = Named(new QPushButton(QStringLiteral("&OK"), this), "BTok");
    BTok->setDefault(true);
    BTok->setAutoDefault(true);
    connect(BTok, &QPushButton::clicked, this, &TFMsetup::BTokClick);
    BTng = Named(new QPushButton(QStringLiteral("&NG"), this), "BTng");
    BTng->setAutoDefault(false);
    connect(BTng, &QPushButton::clicked, this, &QDialog::reject);
}

void TFMsetup::BindSettings() {
    using P = ExecuteParameter;
    bindings_ = {
        FlagBox{CHflash, &P::FLASH},
        FlagBox{CHask, &P::ASK},
        FlagBox{CHrtime, &P::RTIME},
        FlagBox{CHrkakko, &P::RKAKKO},
        FlagPair{RBall, RBsel, &P::RSUM},
        TextField{EDexpcell, &P::ECELL},
        BitBoxes{{CHexpnum, CHexpval, CHexpexp}, &P::EOUT},
        NumberField{EDketa10, &P::COMMA},
        NumberField{EDketa16, &P::HSIZE},
        FlagPair{RBdegree, RBrad, &P::DEGREE},
        SliderPosition{TBtrans, &P::TRANS},
        FlagBox{CHtmost, &P::TMOST},
    };
}

void TFMsetup::LayOut() {
    auto* execute = GroupLayout(GBexecute);
    execute->addWidget(CHflash);
    execute->addWidget(CHask);

    auto* real = GroupLayout(GBreal);
    real->addWidget(CHrtime);
    real->addWidget(CHrkakko);
    real->addWidget(LabelledChoices(LLsum, {RBall, RBsel}));

    auto* exportBox = GroupLayout(GBexp);
    EDexpcell->setFixedWidth(std::max(56, FieldWidth(EDexpcell, QStringLiteral("AA9999"))));
    exportBox->addLayout(Row({LLexpcell, EDexpcell, CHexpnum, CHexpval, CHexpexp}));

    auto* display = new QGridLayout(GBketa);
    display->setContentsMargins(6, 2, 6, 4);
    display->setHorizontalSpacing(4);
    display->setVerticalSpacing(2);
    EDketa10->setFixedWidth(std::max(24, FieldWidth(EDketa10, QStringLiteral("0"))));
    EDketa16->setFixedWidth(std::max(24, FieldWidth(EDketa16, QStringLiteral("16"))));
    display->addWidget(LLketa10, 0, 0);
    display->addWidget(EDketa10, 0, 1);
    display->addWidget(LLketa10note, 0, 2);
    display->addWidget(LLketa16, 1, 0);
    display->addWidget(EDketa16, 1, 1);
    display->addWidget(LLketa16note, 1, 2);
    display->addWidget(LabelledChoices(LLdegree, {RBdegree, RBrad}), 2, 0, 1, 3);
    display->addLayout(Row({LLtrans, TBtrans}, false), 3, 0, 1, 3);
    display->addWidget(CHtmost, 4, 0, 1, 3);
    display->setColumnStretch(2, 1);

    GroupLayout(GBsiki)->addWidget(MMsiki);
    FitMemoToFont();

    auto* left = new QVBoxLayout;
    left->setSpacing(4);
    left->addWidget(GBexecute);
    left->addWidget(GBreal);

    auto* top = new QHBoxLayout;
    top->setSpacing(6);
    top->addLayout(left);
    top->addWidget(GBketa);

    auto* buttons = new QVBoxLayout;
    buttons->setSpacing(6);
    buttons->addStretch(1);
    buttons->addWidget(BTok);
    buttons->addWidget(BTng);

    auto* bottom = new QHBoxLayout;
    bottom->setSpacing(6);
    bottom->addWidget(GBsiki, 1);
    bottom->addLayout(buttons);

    // The controls scroll when the screen is too small for them at the desktop's font.
    auto* content = new QWidget;
    auto* controls = new QVBoxLayout(content);
    controls->setContentsMargins(6, 6, 6, 6);
    controls->setSpacing(4);
    controls->addLayout(top);
    controls->addWidget(GBexp);
    controls->addLayout(bottom, 1);
    scroller_ = new QScrollArea(this);
    scroller_->setFrameShape(QFrame::NoFrame);
    scroller_->setFocusPolicy(Qt::NoFocus);  // Tab goes from the buttons to the first control
    scroller_->setWidgetResizable(true);
    scroller_->setWidget(content);
    auto* dialog = new QVBoxLayout(this);
    dialog->setContentsMargins(0, 0, 0, 0);
    dialog->addWidget(scroller_);
    // Tab reads the dialog as it is laid out: the left groups, the display group, the export
    // row, the constants, then the buttons (the dialog opens on OK, so NG comes next).
    QWidget* const order[] = {CHflash,  CHask,    CHrtime, CHrkakko, RBall,   RBsel,     EDketa10,
                              EDketa16, RBdegree, RBrad,   TBtrans,  CHtmost, EDexpcell, CHexpnum,
                              CHexpval, CHexpexp, MMsiki,  BTok,     BTng};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
}

void TFMsetup::FitMemoToFont() {
    const int margins = 2 * (MMsiki->frameWidth() + qCeil(MMsiki->document()->documentMargin()));
    MMsiki->setMinimumHeight(kMemoLines * MMsiki->fontMetrics().lineSpacing() + margins);
}

void TFMsetup::changeEvent(QEvent* event) {
    // The dialog takes its own font before it has controls.
    if (event->type() == QEvent::FontChange && MMsiki) FitMemoToFont();
    QDialog::changeEvent(event);
}

void TFMsetup::FitOnScreen() {
    const QSize whole = QSize(406, 407).expandedTo(scroller_->widget()->minimumSizeHint());
    const QSize room = ClientRoomOnScreenOf(this, mainWindow_);
    // A dimension that does not fit scrolls, and its scroll bar takes room across the other.
    const int bar = scroller_->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const int width = whole.width() + (whole.height() > room.height() ? bar : 0);
    const int height = whole.height() + (whole.width() > room.width() ? bar : 0);
    setFixedSize(QSize(width, height).boundedTo(room));
}

void TFMsetup::setVisible(bool visible) {
    if (visible && !isVisible()) FormShow();
    QDialog::setVisible(visible);
}

void TFMsetup::FormShow() {
    const bool translucent = transparencyAvailable && transparencyAvailable();
    for (const SettingBinding& binding : bindings_)
        LoadSetting(binding, settings_);
    // Loading the position previews it, whether or not it differs from the last one.
    TBtransChange();
    TBtrans->setEnabled(translucent);
    TBtrans->SetSliderVisible(translucent);
    MMsiki->clear();
    MMsiki->setPlainText(MemoText(calculator_.Constants));
    FitOnScreen();
    CentreOnScreenOf(this, mainWindow_);
    BTok->setFocus(Qt::OtherFocusReason);
}

void TFMsetup::BTokClick() {
    for (const SettingBinding& binding : bindings_)
        StoreSetting(binding, settings_);
    calculator_.Degree = settings_.DEGREE;
    calculator_.Constants = ConstantsAsRead(MemoLines(MMsiki->toPlainText()));
    accept();
}

bool TFMsetup::EDketa10KeyPress(QChar key) const {
    if (IsControl(key)) return true;
    return key >= u'0' && key <= u'9' &&
           ExecuteParameter::ValuesOf(&ExecuteParameter::COMMA).Takes(key.unicode() - u'0');
}

bool TFMsetup::EDketa16KeyPress(QChar key) const {
    if (IsControl(key)) return true;
    const int value = IntegerOr(EDketa16->text() + key, 0);
    return ExecuteParameter::ValuesOf(&ExecuteParameter::HSIZE).Takes(value);
}

void TFMsetup::TBtransChange() {
    TBtrans->SetSelStart(TBtrans->value());
    ApplyTransparency(mainWindow_, TBtrans->value());
}

bool TFMsetup::eventFilter(QObject* watched, QEvent* event) {
    if (watched != EDketa10 && watched != EDketa16) return QDialog::eventFilter(watched, event);
    // Text arrives by key press or as an input method commit; both pass the same rule.
    QString typed;
    if (event->type() == QEvent::KeyPress) {
        typed = static_cast<QKeyEvent*>(event)->text();
    } else if (event->type() == QEvent::InputMethod) {
        typed = static_cast<QInputMethodEvent*>(event)->commitString();
    }
    if (typed.isEmpty()) return false;
    // Text of more than one character is refused unless it only edits.
    if (typed.size() > 1) return !std::all_of(typed.begin(), typed.end(), IsControl);
    return watched == EDketa10 ? !EDketa10KeyPress(typed[0]) : !EDketa16KeyPress(typed[0]);
}
