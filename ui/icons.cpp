#include "ui/icons.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QtMath>
#include <algorithm>

#include "desktop/colors.h"
#include "ui/drawn_icon.h"
#include "ui/result_panel_colors.h"

namespace {

// One palette for every picture: a slate outline, white paper and a few clear accents.
const QColor kOutline(52, 64, 84);
const QColor kPaper(255, 255, 255);
const QColor kPaperShade(226, 232, 240);
const QColor kBlue(37, 118, 214);
const QColor kLightBlue(140, 190, 245);
const QColor kGreen(30, 150, 80);
const QColor kLightGreen(190, 230, 200);
const QColor kAmber(245, 170, 30);
const QColor kLightAmber(255, 214, 120);
const QColor kRed(214, 64, 58);
const QColor kPink(245, 150, 150);
const QColor kTeal(20, 150, 160);
const QColor kDisplay = ToQColor(kResultPanelColor);
const QColor kDigit = ToQColor(kResultDigitColor);

// The pictures are drawn on a 24 x 24 grid and scaled to the size asked for.
constexpr qreal kGrid = 24.0;
constexpr qreal kLine = 1.5;

QPen Outline(const QColor& color = kOutline, qreal width = kLine) {
    return QPen(color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void Shape(QPainter& p, const QPainterPath& path, const QColor& fill,
           const QColor& line = kOutline) {
    p.setPen(Outline(line));
    p.setBrush(fill);
    p.drawPath(path);
}

QPainterPath Rounded(const QRectF& r, qreal radius) {
    QPainterPath path;
    path.addRoundedRect(r, radius, radius);
    return path;
}

// Bold text centred in a box, as a filled shape so that it scales like the rest. Italic text is
// the upright shape slanted, so that no further face is opened for it.
void Label(QPainter& p, const QString& text, const QRectF& box, const QColor& color, qreal height,
           bool italic = false) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setBold(true);
    font.setPixelSize(100);
    QPainterPath path;
    path.addText(0, 0, font, text);
    if (italic) path = QTransform().shear(-0.2, 0).map(path);
    const QRectF bounds = path.boundingRect();
    const qreal scale = height / bounds.height();
    const qreal width = bounds.width() * scale;
    const qreal fit = width > box.width() ? box.width() / width : 1.0;
    QTransform transform;
    transform.translate(box.center().x() - bounds.center().x() * scale * fit,
                        box.center().y() - bounds.center().y() * scale * fit);
    transform.scale(scale * fit, scale * fit);
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    p.drawPath(transform.map(path));
}

void Page(QPainter& p, const QRectF& r, qreal fold) {
    QPainterPath page;
    page.moveTo(r.left(), r.top());
    page.lineTo(r.right() - fold, r.top());
    page.lineTo(r.right(), r.top() + fold);
    page.lineTo(r.right(), r.bottom());
    page.lineTo(r.left(), r.bottom());
    page.closeSubpath();
    Shape(p, page, kPaper);
    QPainterPath corner;
    corner.moveTo(r.right() - fold, r.top());
    corner.lineTo(r.right() - fold, r.top() + fold);
    corner.lineTo(r.right(), r.top() + fold);
    Shape(p, corner, kPaperShade);
}

void Arrow(QPainter& p, QPointF from, QPointF to, const QColor& color) {
    const QLineF line(from, to);
    const qreal angle = qDegreesToRadians(line.angle());
    const qreal head = 4.5;
    QPainterPath shaft;
    shaft.moveTo(from);
    shaft.lineTo(to - QPointF(std::cos(angle), -std::sin(angle)) * 2.0);
    p.setPen(QPen(color, 2.5, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(shaft);
    QPainterPath tip;
    tip.moveTo(to);
    for (const qreal side : {2.5, -2.5}) {
        const qreal a = angle + M_PI + side / 4.5;
        tip.lineTo(to + QPointF(std::cos(a), -std::sin(a)) * head);
    }
    tip.closeSubpath();
    p.setPen(QPen(color, 1.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(color);
    p.drawPath(tip);
}

void DrawNew(QPainter& p) {
    Page(p, QRectF(4.5, 2.5, 14, 19), 5);
    // A small spark tells a fresh page from a plain one.
    QPainterPath spark;
    const QPointF c(17.5, 17.5);
    for (int i = 0; i < 8; ++i) {
        const qreal a = i * M_PI / 4;
        const qreal r = (i % 2) ? 2.0 : 5.0;
        const QPointF point = c + QPointF(std::cos(a), std::sin(a)) * r;
        i ? spark.lineTo(point) : spark.moveTo(point);
    }
    spark.closeSubpath();
    p.setPen(Outline(QColor(200, 120, 0), 1.0));
    p.setBrush(kLightAmber);
    p.drawPath(spark);
}

void DrawOpen(QPainter& p) {
    QPainterPath back;
    back.moveTo(2.5, 19.5);
    back.lineTo(2.5, 5.5);
    back.lineTo(8.5, 5.5);
    back.lineTo(10.5, 7.5);
    back.lineTo(18.5, 7.5);
    back.lineTo(18.5, 10.5);
    Shape(p, back, kAmber);
    Page(p, QRectF(6.5, 3.5, 10, 9), 0.01);
    QPainterPath front;
    front.moveTo(2.5, 19.5);
    front.lineTo(6.5, 10.5);
    front.lineTo(21.5, 10.5);
    front.lineTo(17.5, 19.5);
    front.closeSubpath();
    Shape(p, front, kLightAmber);
}

void DrawSave(QPainter& p) {
    QPainterPath body;
    body.moveTo(3.5, 3.5);
    body.lineTo(17.5, 3.5);
    body.lineTo(20.5, 6.5);
    body.lineTo(20.5, 20.5);
    body.lineTo(3.5, 20.5);
    body.closeSubpath();
    Shape(p, body, kBlue);
    Shape(p, Rounded(QRectF(7, 3.5, 9.5, 6), 0.5), kPaperShade);
    p.fillRect(QRectF(13, 4.75, 2, 3.5), kOutline);
    Shape(p, Rounded(QRectF(6.5, 12.5, 11, 8), 0.8), kPaper);
    p.setPen(Outline(kLightBlue, 1.0));
    p.drawLine(QPointF(8.5, 15.5), QPointF(15.5, 15.5));
    p.drawLine(QPointF(8.5, 18), QPointF(15.5, 18));
}

void DrawExportExcel(QPainter& p) {
    Shape(p, Rounded(QRectF(2.5, 3.5, 14, 17), 1), kPaper, kGreen);
    p.fillRect(QRectF(3.25, 4.25, 12.5, 3.5), kGreen);
    p.setPen(Outline(kGreen, 1.0));
    for (const qreal y : {11.5, 15.5})
        p.drawLine(QPointF(3, y), QPointF(16, y));
    p.drawLine(QPointF(8, 7.5), QPointF(8, 20));
    Arrow(p, QPointF(11, 14), QPointF(22, 14), kBlue);
}

void DrawExportClipboard(QPainter& p) {
    Shape(p, Rounded(QRectF(3.5, 4.5, 14, 17), 1.5), QColor(190, 140, 80));
    Shape(p, QPainterPath(Rounded(QRectF(5.5, 7.5, 10, 12), 0.5)), kPaper);
    Shape(p, Rounded(QRectF(7, 2.5, 7, 4), 1.5), kPaperShade);
    p.setPen(Outline(kLightBlue, 1.0));
    for (const qreal y : {10.5, 13.0, 15.5})
        p.drawLine(QPointF(7.5, y), QPointF(11.5, y));
    Arrow(p, QPointF(12, 17), QPointF(22.5, 17), kBlue);
}

void DrawFormulaMode(QPainter& p) {
    Shape(p, Rounded(QRectF(2.5, 5.5, 19, 13), 2), kPaper);
    Label(p, QStringLiteral("fx"), QRectF(4, 7, 16, 10), kBlue, 9.5, true);
}

void DrawCalculatorMode(QPainter& p) {
    Shape(p, Rounded(QRectF(4.5, 2.5, 15, 19), 2), kPaperShade);
    p.setPen(Outline(kOutline, 1.0));
    p.setBrush(kDisplay);
    p.drawRoundedRect(QRectF(7, 5, 10, 4.5), 0.8, 0.8);
    p.fillRect(QRectF(12.5, 6.25, 3.25, 2), kDigit);
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 3; ++column) {
            const QColor key = (row == 2 && column == 2) ? kAmber : kOutline;
            p.fillRect(QRectF(7 + column * 3.6, 11.5 + row * 3.3, 2.4, 2.1), key);
        }
    }
}

void DrawBadge(QPainter& p, const QString& text, const QColor& color) {
    Shape(p, Rounded(QRectF(2.5, 5.5, 19, 13), 3), color, color.darker(150));
    Label(p, text, QRectF(4, 7, 16, 10), kPaper, 8.5);
}

// A window frame with one highlighted part: the tool bar, the side pad or the status bar.
void DrawView(QPainter& p, const QRectF& part, bool buttons) {
    Shape(p, Rounded(QRectF(2.5, 3.5, 19, 17), 1.5), kPaper);
    p.fillRect(QRectF(3.25, 4.25, 17.5, 2.5), kOutline);
    p.setPen(Qt::NoPen);
    p.setBrush(kBlue);
    p.drawRoundedRect(part, 0.8, 0.8);
    if (buttons) {
        for (int i = 0; i < 3; ++i)
            p.fillRect(QRectF(5 + i * 3.5, 8.5, 2.25, 2.5), kPaper);
    }
}

void DrawHelp(QPainter& p) {
    QPainterPath circle;
    circle.addEllipse(QPointF(12, 12), 9.5, 9.5);
    Shape(p, circle, kBlue, kBlue.darker(140));
    Label(p, QStringLiteral("?"), QRectF(5, 5, 14, 14), kPaper, 12);
}

void DrawWeb(QPainter& p) {
    QPainterPath globe;
    globe.addEllipse(QPointF(12, 12), 9.5, 9.5);
    Shape(p, globe, kLightBlue, kBlue);
    p.setPen(Outline(kBlue, 1.25));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(12, 12), 4.2, 9.5);
    p.drawLine(QPointF(12, 2.5), QPointF(12, 21.5));
    p.drawLine(QPointF(2.5, 12), QPointF(21.5, 12));
    p.drawLine(QPointF(4.2, 7.5), QPointF(19.8, 7.5));
    p.drawLine(QPointF(4.2, 16.5), QPointF(19.8, 16.5));
}

void DrawClear(QPainter& p) {
    p.save();
    p.translate(12, 12);
    p.rotate(-40);
    Shape(p, Rounded(QRectF(-8.5, -4.5, 17, 9), 1.5), kPaper);
    QPainterPath tip = Rounded(QRectF(-8.5, -4.5, 7, 9), 1.5);
    Shape(p, tip, kPink, kRed);
    p.restore();
    p.setPen(Outline(kOutline, 1.25));
    p.drawLine(QPointF(9, 21), QPointF(21, 21));
}

void DrawRecalculate(QPainter& p) {
    p.setPen(QPen(kGreen, 2.5, Qt::SolidLine, Qt::FlatCap));
    p.setBrush(Qt::NoBrush);
    const QRectF ring(4.5, 4.5, 15, 15);
    for (const int start : {20, 200}) {
        p.drawArc(ring, start * 16, 130 * 16);
        const qreal a = qDegreesToRadians(qreal(start + 130));
        const QPointF end = ring.center() + QPointF(std::cos(a), -std::sin(a)) * 7.5;
        const QPointF along(-std::sin(a), -std::cos(a));
        const QPointF out(std::cos(a), -std::sin(a));
        QPainterPath head;
        head.moveTo(end + out * 3.5);
        head.lineTo(end - out * 3.5);
        head.lineTo(end + along * 4.0);
        head.closeSubpath();
        p.setPen(QPen(kGreen, 0.75, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(kGreen);
        p.drawPath(head);
        p.setPen(QPen(kGreen, 2.5, Qt::SolidLine, Qt::FlatCap));
        p.setBrush(Qt::NoBrush);
    }
}

void DrawSettings(QPainter& p) {
    QPainterPath gear;
    const QPointF c(12, 12);
    const int teeth = 8;
    for (int i = 0; i < teeth * 4; ++i) {
        const qreal a = (i - 1.5) * 2 * M_PI / (teeth * 4);
        const qreal r = (i % 4 < 2) ? 10.0 : 7.2;
        const QPointF point = c + QPointF(std::cos(a), std::sin(a)) * r;
        i ? gear.lineTo(point) : gear.moveTo(point);
    }
    gear.closeSubpath();
    QPainterPath hole;
    hole.addEllipse(c, 3.2, 3.2);
    Shape(p, gear.subtracted(hole), QColor(120, 135, 155));
}

void DrawVersion(QPainter& p) {
    QPainterPath circle;
    circle.addEllipse(QPointF(12, 12), 9.5, 9.5);
    Shape(p, circle, kTeal, kTeal.darker(140));
    p.setPen(Qt::NoPen);
    p.setBrush(kPaper);
    p.drawEllipse(QPointF(12, 7.25), 1.8, 1.8);
    p.drawRoundedRect(QRectF(10.4, 10.25, 3.2, 8.5), 1, 1);
}

void Draw(QPainter& p, ToolIcon icon) {
    switch (icon) {
        case ToolIcon::None:
            return;
        case ToolIcon::New:
            return DrawNew(p);
        case ToolIcon::Open:
            return DrawOpen(p);
        case ToolIcon::Save:
            return DrawSave(p);
        case ToolIcon::ExportExcel:
            return DrawExportExcel(p);
        case ToolIcon::ExportClipboard:
            return DrawExportClipboard(p);
        case ToolIcon::FormulaMode:
            return DrawFormulaMode(p);
        case ToolIcon::CalculatorMode:
            return DrawCalculatorMode(p);
        case ToolIcon::Real:
            return DrawBadge(p, QStringLiteral("1.5"), kBlue);
        case ToolIcon::Integer:
            return DrawBadge(p, QStringLiteral("12"), kAmber.darker(115));
        case ToolIcon::Decimal:
            return DrawBadge(p, QStringLiteral("10"), kGreen);
        case ToolIcon::Hexadecimal:
            return DrawBadge(p, QStringLiteral("16"), QColor(140, 80, 190));
        case ToolIcon::ToolBar:
            return DrawView(p, QRectF(3.5, 7.5, 17, 4.5), true);
        case ToolIcon::FunctionPad:
            return DrawView(p, QRectF(15.5, 7.5, 5, 12), false);
        case ToolIcon::StatusBar:
            return DrawView(p, QRectF(3.5, 16.5, 17, 3), false);
        case ToolIcon::Help:
            return DrawHelp(p);
        case ToolIcon::Web:
            return DrawWeb(p);
        case ToolIcon::Clear:
            return DrawClear(p);
        case ToolIcon::Recalculate:
            return DrawRecalculate(p);
        case ToolIcon::Settings:
            return DrawSettings(p);
        case ToolIcon::Version:
            return DrawVersion(p);
    }
}

}  // namespace

QPixmap ToolIconPixmap(ToolIcon icon, int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / kGrid, size / kGrid);
    Draw(painter, icon);
    return pixmap;
}

QIcon ToolIconPicture(ToolIcon icon) {
    if (icon == ToolIcon::None) return QIcon();
    // The toolbar shows the 16-pixel pictures, the menus theirs only when they open, so
    // start-up draws no more than it shows.
    return DrawnIcon([icon](int side) { return ToolIconPixmap(icon, side); }, {16, 24, 32, 48},
                     DrawnSide::NextListed);
}
