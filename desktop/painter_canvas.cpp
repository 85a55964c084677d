#include "desktop/painter_canvas.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPainter>
#include <QPolygon>
#include <cstdlib>

#include "desktop/colors.h"

QFont ToQFont(const GridFont& font) {
    QFont result = QApplication::font();
    if (!font.family.empty()) result.setFamily(QString::fromStdString(font.family));
    result.setPixelSize(font.pixelHeight > 0 ? font.pixelHeight : 1);
    result.setBold(font.bold);
    return result;
}

PainterCanvas::PainterCanvas(const QPalette& palette)
    : palette_(palette),
      font_(ToQFont(GridFont{})),
      metrics_(font_),
      penColor_(ToQColor(kWindowTextColor, palette)),
      brushColor_(ToQColor(kWindowColor, palette)),
      fontColor_(ToQColor(GridFont{}.color, palette)) {}

void PainterCanvas::Begin(QPainter* painter) {
    painter_ = painter;
}

void PainterCanvas::End() {
    painter_ = nullptr;
}

void PainterCanvas::SetFont(const GridFont& font) {
    font_ = ToQFont(font);
    metrics_ = QFontMetrics(font_);
    measured_.clear();
    fontColor_ = ToQColor(font.color, palette_);
}

int PainterCanvas::TextWidth(const std::string& text) {
    measured_ = QString::fromStdString(text);
    measuredWidth_ = metrics_.horizontalAdvance(measured_);
    return measuredWidth_;
}

int PainterCanvas::TextHeight(const std::string&) {
    return metrics_.height();
}

void PainterCanvas::MoveTo(int x, int y) {
    penX_ = x;
    penY_ = y;
}

void PainterCanvas::LineTo(int x, int y) {
    const int fromX = penX_;
    const int fromY = penY_;
    MoveTo(x, y);
    if (!painter_ || (fromX == x && fromY == y)) return;
    // Every pixel from the start up to, but not including, the end point: frames drawn as
    // chains of segments rely on each corner being painted exactly once.
    if (fromY == y) {
        const int left = fromX < x ? fromX : x + 1;
        painter_->fillRect(QRect(left, y, std::abs(x - fromX), 1), penColor_);
        return;
    }
    if (fromX == x) {
        const int top = fromY < y ? fromY : y + 1;
        painter_->fillRect(QRect(x, top, 1, std::abs(y - fromY)), penColor_);
        return;
    }
    QPolygon points;
    const int dx = std::abs(x - fromX), sx = fromX < x ? 1 : -1;
    const int dy = -std::abs(y - fromY), sy = fromY < y ? 1 : -1;
    int error = dx + dy;
    for (int px = fromX, py = fromY; px != x || py != y;) {
        points << QPoint(px, py);
        const int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            px += sx;
        }
        if (twice <= dx) {
            error += dx;
            py += sy;
        }
    }
    QPen pen(penColor_, 1);
    pen.setCosmetic(true);
    painter_->save();
    painter_->setRenderHint(QPainter::Antialiasing, false);
    painter_->setPen(pen);
    painter_->drawPoints(points);
    painter_->restore();
}

void PainterCanvas::FillRect(const GridRect& rect) {
    if (!painter_ || rect.right <= rect.left || rect.bottom <= rect.top) return;
    painter_->fillRect(QRect(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top),
                       brushColor_);
}

void PainterCanvas::SetPenColor(PlatformColor color) {
    penColor_ = ToQColor(color, palette_);
}

void PainterCanvas::SetBrushColor(PlatformColor color) {
    brushColor_ = ToQColor(color, palette_);
}

void PainterCanvas::SetFontColor(PlatformColor color) {
    fontColor_ = ToQColor(color, palette_);
}

void PainterCanvas::TextOut(int x, int y, const std::string& text) {
    if (!painter_ || text.empty()) return;
    const QString qtext = QString::fromStdString(text);
    const int width = qtext == measured_ ? measuredWidth_ : metrics_.horizontalAdvance(qtext);
    painter_->fillRect(QRect(x, y, width, metrics_.height()), brushColor_);
    painter_->save();
    painter_->setFont(font_);
    painter_->setPen(fontColor_);
    painter_->drawText(QPoint(x, y + metrics_.ascent()), qtext);
    painter_->restore();
}
