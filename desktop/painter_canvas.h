#pragma once
// The grid's drawing surface over QPainter. It draws only while a painter is bound (during the
// grid's paint); text measuring works at any time, so the grid can be sized before it is shown.

#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QPalette>

#include "platform/grid_control.h"

class QPainter;

QFont ToQFont(const GridFont& font);

class PainterCanvas : public Canvas {
public:
    explicit PainterCanvas(const QPalette& palette);

    // Binds the painter that the drawing operations use until End().
    void Begin(QPainter* painter);
    void End();
    void SetPalette(const QPalette& palette) { palette_ = palette; }

    void SetFont(const GridFont& font) override;
    int TextWidth(const std::string& text) override;
    int TextHeight(const std::string& text) override;
    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    void FillRect(const GridRect& rect) override;
    void SetPenColor(PlatformColor color) override;
    void SetBrushColor(PlatformColor color) override;
    void SetFontColor(PlatformColor color) override;
    void TextOut(int x, int y, const std::string& text) override;

private:
    QPalette palette_;
    QPainter* painter_ = nullptr;
    QFont font_;
    QFontMetrics metrics_;  // of font_
    // The text measured last, which the grid draws next: measured once for both.
    QString measured_;
    int measuredWidth_ = 0;
    QColor penColor_;
    QColor brushColor_;
    QColor fontColor_;
    int penX_ = 0;
    int penY_ = 0;
};
