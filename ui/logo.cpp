#include "ui/logo.h"

#include <QFont>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include "desktop/colors.h"
#include "ui/digit_display.h"
#include "ui/drawn_icon.h"
#include "ui/result_panel_colors.h"

namespace {

const QColor kBodyTop(84, 100, 126);
const QColor kBodyBottom(38, 47, 62);
const QColor kDisplay = ToQColor(kResultPanelColor);
const QColor kAmber = ToQColor(kResultDigitColor);
const QColor kKey(228, 233, 240);
const QColor kEqualsKey(245, 150, 30);

// Seven-segment glyphs scaled into a box whose height is the glyph's height.
void DrawDigits(QPainter& p, const QString& text, QPointF topLeft, qreal height,
                const QColor& color) {
    const qreal scale = height / DigitDisplay::kGlyphHeight;
    for (qsizetype i = 0; i < text.size(); ++i) {
        p.save();
        p.translate(topLeft + QPointF(i * DigitDisplay::kGlyphWidth * scale, 0));
        p.scale(scale, scale);
        DrawDigitGlyph(p, static_cast<int>(DigitDisplay::kGlyphChars.indexOf(text[i])), color);
        p.restore();
    }
}

// The icon on a 256 x 256 grid: a calculator whose display glows amber.
void DrawIcon(QPainter& p, bool detailed) {
    QLinearGradient body(0, 8, 0, 248);
    body.setColorAt(0, kBodyTop);
    body.setColorAt(1, kBodyBottom);
    p.setPen(QPen(QColor(24, 30, 40), 6));
    p.setBrush(body);
    p.drawRoundedRect(QRectF(28, 8, 200, 240), 36, 36);

    p.setPen(Qt::NoPen);
    p.setBrush(kDisplay);
    p.drawRoundedRect(QRectF(50, 30, 156, 66), 12, 12);
    if (detailed) {
        DrawDigits(p, QString::fromLatin1(kProductVersion), QPointF(66, 43), 40, kAmber);
    } else {
        // Small sizes show a plain glowing bar; digits would only blur.
        p.setBrush(kAmber);
        p.drawRoundedRect(QRectF(118, 52, 72, 22), 6, 6);
    }

    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 3; ++column) {
            const bool equals = row == 2 && column == 2;
            p.setBrush(equals ? kEqualsKey : kKey);
            p.drawRoundedRect(QRectF(50 + column * 56, 116 + row * 42, 44, 30), 8, 8);
        }
    }
}

// Text in a box, made smaller when the system's font would not fit it.
void DrawText(QPainter& p, const QString& text, const QRectF& box, int pixelSize, bool bold,
              const QColor& color, Qt::Alignment alignment) {
    QFont font;
    font.setBold(bold);
    for (; pixelSize > 6; --pixelSize) {
        font.setPixelSize(pixelSize);
        if (QFontMetricsF(font).horizontalAdvance(text) <= box.width()) break;
    }
    p.setFont(font);
    p.setPen(color);
    p.drawText(box, alignment, text);
}

}  // namespace

QPixmap SharpPixmap(QSize size, qreal ratio) {
    QPixmap pixmap(size * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

QPixmap ProgramIconPixmap(int size, qreal ratio) {
    QPixmap pixmap = SharpPixmap(QSize(size, size), ratio);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 256.0, size / 256.0);
    DrawIcon(painter, size >= 48);
    return pixmap;
}

QIcon ProgramIcon() {
    // A window hands the X server each size the icon lists; the larger pictures a desktop shows
    // come from the installed icons of the desktop entry, so the list stops at the sizes of title
    // bars and task bars.
    return DrawnIcon([](int side) { return ProgramIconPixmap(side); }, {16, 24, 32, 48, 64},
                     DrawnSide::AsAsked);
}

QPixmap TessarinLogo(qreal ratio) {
    const QRect area(0, 0, 300, 150);
    QPixmap pixmap = SharpPixmap(area.size(), ratio);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    QLinearGradient background(0, 0, 0, 150);
    background.setColorAt(0, QColor(58, 70, 90));
    background.setColorAt(1, QColor(26, 31, 40));
    p.fillRect(area, background);
    // A faint glow behind the calculator.
    QRadialGradient glow(QPointF(62, 75), 80);
    glow.setColorAt(0, QColor(255, 206, 0, 60));
    glow.setColorAt(1, QColor(255, 206, 0, 0));
    p.fillRect(area, glow);

    p.save();
    p.translate(14, 23);
    p.scale(104 / 256.0, 104 / 256.0);
    DrawIcon(p, true);
    p.restore();

    DrawText(p, QStringLiteral("Tessarin"), QRectF(128, 28, 164, 46), 36, true,
             QColor(250, 250, 250), Qt::AlignLeft | Qt::AlignVCenter);
    p.fillRect(QRectF(128, 78, 156, 2), kAmber);
    DrawText(p, QStringLiteral("数式シート電卓"), QRectF(128, 86, 164, 22), 15, false,
             QColor(220, 226, 235), Qt::AlignLeft | Qt::AlignVCenter);
    DrawText(p, QStringLiteral("Version %1").arg(kProductVersion), QRectF(128, 110, 164, 18), 12,
             false, QColor(170, 180, 195), Qt::AlignLeft | Qt::AlignVCenter);
    p.setPen(QPen(QColor(20, 24, 32), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(0.5, 0.5, 299, 149));
    return pixmap;
}
