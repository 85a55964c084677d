#include "ui/digit_display.h"

#include <QAccessible>
#include <QPainter>
#include <QPainterPath>
#include <map>

#include "desktop/colors.h"
#include "desktop/spoken_notice.h"
#include "ui/logo.h"
#include "ui/result_panel_colors.h"

namespace {

const QColor kLit = ToQColor(kResultDigitColor);
const QColor kUnlit(72, 64, 38);  // the same amber, barely glowing on the panel

// Seven segments, bit 0 = a (top) .. bit 6 = g (middle), in the usual order a b c d e f g.
enum : unsigned { A = 1, B = 2, C = 4, D = 8, E = 16, F = 32, G = 64 };
constexpr unsigned kAll = A | B | C | D | E | F | G;

// Segments of the glyphs 0..F and of the minus sign; the point and plus are drawn apart.
constexpr unsigned kSegments[16] = {
    A | B | C | D | E | F,  // 0
    B | C,                  // 1
    A | B | D | E | G,      // 2
    A | B | C | D | G,      // 3
    B | C | F | G,          // 4
    A | C | D | F | G,      // 5
    A | C | D | E | F | G,  // 6
    A | B | C,              // 7
    kAll,                   // 8
    A | B | C | D | F | G,  // 9
    A | B | C | E | F | G,  // A
    C | D | E | F | G,      // b
    A | D | E | F,          // C
    B | C | D | E | G,      // d
    A | D | E | F | G,      // E
    A | E | F | G,          // F
};

// Centre lines of the segments inside the 14 x 16 cell; the right four columns stay free for
// a comma dot of the next position.
constexpr qreal kLeft = 2.0, kRight = 9.0;
constexpr qreal kTop = 1.0, kMiddle = 8.0, kBottom = 15.0;
constexpr qreal kThick = 2.0, kGap = 0.5;

// A segment with pointed ends, between two points on one horizontal or vertical line.
QPainterPath Segment(QPointF from, QPointF to) {
    const qreal h = kThick / 2;
    QPainterPath path;
    if (from.y() == to.y()) {
        const qreal y = from.y(), x0 = from.x() + kGap, x1 = to.x() - kGap;
        path.moveTo(x0, y);
        path.lineTo(x0 + h, y - h);
        path.lineTo(x1 - h, y - h);
        path.lineTo(x1, y);
        path.lineTo(x1 - h, y + h);
        path.lineTo(x0 + h, y + h);
    } else {
        const qreal x = from.x(), y0 = from.y() + kGap, y1 = to.y() - kGap;
        path.moveTo(x, y0);
        path.lineTo(x + h, y0 + h);
        path.lineTo(x + h, y1 - h);
        path.lineTo(x, y1);
        path.lineTo(x - h, y1 - h);
        path.lineTo(x - h, y0 + h);
    }
    path.closeSubpath();
    return path;
}

QPainterPath SegmentPath(int bit) {
    switch (bit) {
        case 0:
            return Segment({kLeft, kTop}, {kRight, kTop});
        case 1:
            return Segment({kRight, kTop}, {kRight, kMiddle});
        case 2:
            return Segment({kRight, kMiddle}, {kRight, kBottom});
        case 3:
            return Segment({kLeft, kBottom}, {kRight, kBottom});
        case 4:
            return Segment({kLeft, kMiddle}, {kLeft, kBottom});
        case 5:
            return Segment({kLeft, kTop}, {kLeft, kMiddle});
        default:
            return Segment({kLeft, kMiddle}, {kRight, kMiddle});
    }
}

void DrawSegments(QPainter& painter, unsigned lit, const QColor& color) {
    for (int bit = 0; bit < 7; ++bit) {
        if (lit & (1u << bit)) painter.fillPath(SegmentPath(bit), color);
    }
}

QPixmap MakeGlyph(int glyph, qreal ratio) {
    QPixmap pixmap =
        SharpPixmap(QSize(DigitDisplay::kGlyphWidth, DigitDisplay::kGlyphHeight), ratio);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    DrawDigitGlyph(painter, glyph, kLit);
    return pixmap;
}

QPixmap MakeDot(qreal ratio) {
    const int size = DigitDisplay::kDotSize;
    QPixmap pixmap = SharpPixmap(QSize(size, size), ratio);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(kLit);
    painter.drawRoundedRect(QRectF(0, 0, size, size), 0.8, 0.8);
    return pixmap;
}

}  // namespace

void DrawDigitGlyph(QPainter& painter, int glyph, const QColor& color) {
    if (glyph < 0 || glyph > 18) return;
    if (glyph < 16) {
        DrawSegments(painter, kSegments[glyph], color);
    } else if (glyph == 16) {
        painter.fillRect(QRectF(4.5, 13.0, 2.5, 2.5), color);
    } else {
        DrawSegments(painter, G, color);
        if (glyph == 17) {
            const qreal centre = (kLeft + kRight) / 2;
            painter.fillPath(Segment({centre, kMiddle - 3.5}, {centre, kMiddle}), color);
            painter.fillPath(Segment({centre, kMiddle}, {centre, kMiddle + 3.5}), color);
        }
    }
}

const QString DigitDisplay::kGlyphChars = QStringLiteral("0123456789ABCDEF.+-");

DigitDisplay::DigitDisplay(QWidget* parent) : QWidget(parent) {
    glyphs_.fill(-1);
    dotVisible_.fill(false);
    for (int k = 0; k < kDots; ++k)
        dotLeft_[k] = InitialDotLeft(k);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(sizeHint());
    setAccessibleName(QStringLiteral("結果"));
    pause_.setSingleShot(true);
    pause_.setInterval(kSpeechPauseMs);
    connect(&pause_, &QTimer::timeout, this, &DigitDisplay::SpeakResult);
}

void DigitDisplay::Follow(const SheetDocument& sheet) {
    const auto show = [this, &sheet] {
        const int line = sheet.CurrentLine();
        ShowDigits(QString::fromStdString(sheet.Result(line)), sheet.Failed(line));
    };
    subscription_ = sheet.Observe([show, &sheet](const SheetChange& change) {
        if (change.currentLine || change.Touches(sheet.CurrentLine())) show();
    });
    show();
}

void DigitDisplay::ShowDigits(const QString& text, bool failed) {
    dotVisible_.fill(false);
    glyphs_.fill(-1);
    if (!failed) {
        int d = 0;
        int k = 0;
        for (qsizetype i = text.size() - 1; i >= 0; --i) {
            const QChar c = text[i];
            if (c == QLatin1Char(',')) {
                // A dot belongs just left of the glyph drawn to its right; without one shown
                // (nothing yet, or that glyph was beyond the display) it is left out.
                if (d >= 1 && d <= kPositions && k < kDots) {
                    dotLeft_[k] = GlyphRect(d - 1).left() - 4;
                    dotVisible_[k] = true;
                    ++k;
                }
                continue;
            }
            if (d < kPositions) glyphs_[d] = static_cast<int>(kGlyphChars.indexOf(c));
            ++d;
        }
    }
    setAccessibleName(text.isEmpty() ? QStringLiteral("結果") : QStringLiteral("結果 ") + text);
    if (speech_.Shown(text.toStdString())) {
        pause_.start();
    } else {
        pause_.stop();
    }
    update();
}

void DigitDisplay::SpeakResult() {
    pause_.stop();
    if (const std::optional<std::string> due = speech_.Due()) Speak(QString::fromStdString(*due));
    DescribeHeardResult();
}

void DigitDisplay::SpeakLine(const QString& reading) {
    Speak(reading);
    ResultHeard();
}

void DigitDisplay::ResultHeard() {
    pause_.stop();
    speech_.Heard();
    DescribeHeardResult();
}

void DigitDisplay::DescribeInput(QWidget* input) {
    input_ = input;
    DescribeHeardResult();
}

void DigitDisplay::DescribeHeardResult() {
    if (!input_) return;
    const QString heard = QString::fromStdString(speech_.HeardResult());
    input_->setAccessibleDescription(heard.isEmpty() ? QString() : QStringLiteral("結果 ") + heard);
}

// Without a screen reader there is nobody to tell, and no accessible objects are made for it.
void DigitDisplay::Speak(const QString& text) {
    if (QAccessible::isActive())
        SpokenNotice::SpeakBelow(QAccessible::queryAccessibleInterface(this), text);
}

int DigitDisplay::GlyphAt(int position) const {
    return position >= 0 && position < kPositions ? glyphs_[position] : -1;
}

bool DigitDisplay::DotVisible(int dot) const {
    return dot >= 0 && dot < kDots && dotVisible_[dot];
}

int DigitDisplay::DotLeft(int dot) const {
    return dot >= 0 && dot < kDots ? dotLeft_[dot] : 0;
}

QRect DigitDisplay::GlyphRect(int position) {
    return QRect(218 - kGlyphWidth * position, 8, kGlyphWidth, kGlyphHeight);
}

int DigitDisplay::InitialDotLeft(int dot) {
    return 214 - 48 * dot;
}

QColor DigitDisplay::PanelColor() {
    return ToQColor(kResultPanelColor);
}

// One set of pictures per device pixel ratio met: a window moved between screens may meet two.
const std::vector<QPixmap>& DigitDisplay::Glyphs(qreal ratio) {
    static std::map<qreal, std::vector<QPixmap>> sets;
    std::vector<QPixmap>& glyphs = sets[ratio];
    if (glyphs.empty()) {
        for (int glyph = 0; glyph < 19; ++glyph)
            glyphs.push_back(MakeGlyph(glyph, ratio));
    }
    return glyphs;
}

const QPixmap& DigitDisplay::DotPicture(qreal ratio) {
    static std::map<qreal, QPixmap> dots;
    QPixmap& dot = dots[ratio];
    if (dot.isNull()) dot = MakeDot(ratio);
    return dot;
}

QSize DigitDisplay::sizeHint() const {
    return QSize(240, 32);
}

void DigitDisplay::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), PanelColor());
    const qreal ratio = devicePixelRatioF();
    const std::vector<QPixmap>& glyphs = Glyphs(ratio);
    for (int p = 0; p < kPositions; ++p) {
        if (glyphs_[p] >= 0) painter.drawPixmap(GlyphRect(p).topLeft(), glyphs[glyphs_[p]]);
    }
    for (int k = 0; k < kDots; ++k) {
        if (dotVisible_[k]) painter.drawPixmap(dotLeft_[k], DotTop(), DotPicture(ratio));
    }
}
