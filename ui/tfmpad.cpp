#include "ui/tfmpad.h"

#include <QFontDatabase>
#include <QFrame>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>

#include "desktop/colors.h"
#include "desktop/font_choice.h"
#include "desktop/window_layer.h"
#include "expr/functions.h"
#include "settings/execute_parameter.h"
#include "ui/function_pad.h"
#include "ui/window_placement.h"

namespace {

constexpr PlatformColor kNavy = 0x800000;
constexpr PlatformColor kCream = 0xF0FBFF;
constexpr PlatformColor kBlack = 0x000000;
constexpr PlatformColor kSilver = 12632256;

constexpr int kKeyWidth = 64;
constexpr int kKeyHeight = 20;
constexpr int kRows = 10;
constexpr int kFirstKeyOffset = 4;
// The parenthesis key, then one key per function.
static_assert(TFMpad::kFunctionKeys == kFunctions.size() + 1);

const char* const kOperatorKeyNames[] = {"PLop", "PLon", "PLom", "PLod"};

// The first count characters of a text (a character outside the basic plane stays whole).
QString FirstCharacters(const QString& text, int count) {
    qsizetype end = 0;
    for (int taken = 0; taken < count && end < text.size(); ++taken)
        end += text[end].isHighSurrogate() && end + 1 < text.size() ? 2 : 1;
    return text.left(end);
}

qsizetype CharacterCount(const QString& text) {
    return text.toUcs4().size();
}

void SetTextColor(QLabel* label, PlatformColor color) {
    QPalette colours = label->palette();
    colours.setColor(QPalette::WindowText, ToQColor(color, colours));
    label->setPalette(colours);
}

}  // namespace

KeyPanel::KeyPanel(QWidget* parent) : QLabel(parent) {
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setLineWidth(1);
    setIndent(1);
    setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    setAutoFillBackground(true);
    setTextFormat(Qt::PlainText);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, ToQColor(kCream, colours));
    setPalette(colours);
    SetTextColor(this, kBlack);
    setFocusPolicy(Qt::TabFocus);
}

void KeyPanel::mousePressEvent(QMouseEvent* event) {
    event->accept();
}

void KeyPanel::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

// The focused key is framed in the keypad's navy, whatever the style shows for focus.
void KeyPanel::paintEvent(QPaintEvent* event) {
    QLabel::paintEvent(event);
    if (!hasFocus()) return;
    QPainter painter(this);
    painter.setPen(QPen(ToQColor(kNavy, palette()), 2));
    painter.drawRect(contentsRect().adjusted(1, 1, -2, -2));
}

const QString TFMpad::PadKeys = QStringLiteral("0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ+-*/");

TFMpad::TFMpad(FunctionPad* pad, QLineEdit* EDcalc, const ExecuteParameter& settings,
               QWidget* parent)
    : QWidget(parent, Qt::Popup | Qt::FramelessWindowHint),
      pad_(pad),
      EDcalc_(EDcalc),
      settings_(settings) {
    setObjectName(QStringLiteral("TFMpad"));
    setFixedSize(265, 209);
    FormCreate();
}

void TFMpad::FormCreate() {
    PLpad = new QFrame(this);
    PLpad->setObjectName(QStringLiteral("PLpad"));
    PLpad->setGeometry(rect());
    PLpad->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    PLpad->setLineWidth(1);
    PLpad->setAutoFillBackground(true);
    QPalette colours = PLpad->palette();
    colours.setColor(QPalette::Window, ToQColor(kNavy, colours));
    PLpad->setPalette(colours);

    // The grid's face: captions hold numbers and constants; Japanese comes from the desktop's own.
    QFont keyFont;
    keyFont.setFamilies({GridFamily(QFontDatabase::systemFont(QFontDatabase::FixedFont)),
                         QStringLiteral("monospace")});
    keyFont.setStyleHint(QFont::Monospace);
    keyFont.setFixedPitch(true);
    keyFont.setPixelSize(12);
    keyFont.setBold(true);

    const QStringList functionNames = ShownFunctionNames();
    for (int key = 0; key < PadKeys.size(); ++key) {
        auto* panel = new KeyPanel(PLpad);
        panel->setFont(keyFont);
        panel->setGeometry(kFirstKeyOffset + key / kRows * kKeyWidth,
                           kFirstKeyOffset + key % kRows * kKeyHeight, kKeyWidth, kKeyHeight);
        connect(panel, &KeyPanel::clicked, this, [this, panel] { PL0Click(panel); });
        if (key < kFunctionKeys) {
            panel->setObjectName(QStringLiteral("PL%1").arg(key));
            panel->setText(key == 0
                               ? QStringLiteral(" 0 ()")
                               : QStringLiteral(" %1 %2").arg(key).arg(functionNames[key - 1]));
            functionKeys[key] = panel;
        } else {
            const int constant = key - kFunctionKeys;
            panel->setObjectName(constant < 26 ? QStringLiteral("PL") + QChar(u'a' + constant)
                                               : QLatin1String(kOperatorKeyNames[constant - 26]));
            panel->setText(u' ' + PadKeys[key] + u' ');
            constantKeys[constant] = panel;
        }
    }
}

void TFMpad::setVisible(bool visible) {
    if (visible && !isVisible()) FormShow();
    QWidget::setVisible(visible);
}

KeyPanel* TFMpad::KeyAt(int position) const {
    return position < kFunctionKeys ? functionKeys[position]
                                    : constantKeys[position - kFunctionKeys];
}

void TFMpad::MoveKeyFocus(int key) {
    int position = 0;
    while (position < PadKeys.size() && !KeyAt(position)->hasFocus())
        ++position;
    if (position == PadKeys.size()) return;
    const int column = position / kRows;
    const int row = position % kRows;
    const int columns = static_cast<int>(PadKeys.size()) / kRows;
    switch (key) {
        case Qt::Key_Up:
            if (row > 0) --position;
            break;
        case Qt::Key_Down:
            if (row < kRows - 1) ++position;
            break;
        case Qt::Key_Left:
            if (column > 0) position -= kRows;
            break;
        case Qt::Key_Right:
            if (column < columns - 1) position += kRows;
            break;
        default:
            return;
    }
    KeyAt(position)->setFocus(Qt::OtherFocusReason);
}

void TFMpad::FormShow() {
    move(EDcalc_->mapToGlobal(QPoint(-2, EDcalc_->height() + 1)));
    KeepOnScreenOf(this, EDcalc_->window());
    const QStringList constants = pad_->ConstantEntries();
    for (int i = 0; i < kConstantKeys; ++i) {
        QString caption = u' ' + PadKeys[kFunctionKeys + i] + u' ';
        if (i < constants.size()) caption += FirstCharacters(constants[i], 5);
        constantKeys[i]->setText(caption);
        SetTextColor(constantKeys[i], CharacterCount(caption) > 3 ? kBlack : kSilver);
    }
    ApplyStayOnTop(this, settings_.TMOST != 0);
    // Each opening starts on the first key, which a screen reader then reads.
    functionKeys[0]->setFocus(Qt::PopupFocusReason);
}

void TFMpad::FormKeyDown(int key) {
    if (key == Qt::Key_Escape) {
        hide();
    } else {
        MoveKeyFocus(key);
    }
}

void TFMpad::FormKeyPress(QChar key) {
    const qsizetype p = PadKeys.indexOf(key.toUpper());
    if (p >= 0 && p < pad_->FunctionEntryCount()) {
        pad_->InsertFunction(static_cast<int>(p));
    } else if (p >= 0 && p - kFunctionKeys < pad_->ConstantEntryCount()) {
        pad_->InsertConstant(static_cast<int>(p - kFunctionKeys));
    }
    hide();
}

void TFMpad::PL0Click(KeyPanel* panel) {
    const QString caption = panel->text();
    FormKeyPress(caption.size() > 1 ? caption[1] : QChar());
}

void TFMpad::FormDeactivate() {
    hide();
}

// Every key-down is the keypad's own; the character, if any, then picks the entry.
void TFMpad::keyPressEvent(QKeyEvent* event) {
    event->accept();
    FormKeyDown(event->key());
    if (isVisible() && !event->text().isEmpty()) FormKeyPress(event->text()[0]);
}

// A pop-up sees the click that takes the activation elsewhere as a press outside itself.
void TFMpad::mousePressEvent(QMouseEvent* event) {
    if (!rect().contains(event->position().toPoint())) {
        FormDeactivate();
        return;
    }
    QWidget::mousePressEvent(event);
}
