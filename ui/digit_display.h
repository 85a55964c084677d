#pragma once
// The large calculator-style result display: 16 glyph positions, right-aligned, and 5 comma
// dots that move to sit between the glyphs, on the dark result panel.

#include <QColor>
#include <QPixmap>
#include <QPointer>
#include <QRect>
#include <QString>
#include <QTimer>
#include <QWidget>
#include <array>
#include <vector>

#include "platform/sheet_speech.h"
#include "sheet/sheet_document.h"

class QPainter;

// Draws glyph number glyph (of "0123456789ABCDEF.+-") in a 14 x 16 box at the painter's origin;
// scale the painter for larger glyphs.
void DrawDigitGlyph(QPainter& painter, int glyph, const QColor& color);

class DigitDisplay : public QWidget {
    Q_OBJECT

public:
    static constexpr int kPositions = 16;  // IM00 (rightmost) .. IM15
    static constexpr int kDots = 5;        // IMc1 .. IMc5
    static constexpr int kGlyphWidth = 14;
    static constexpr int kGlyphHeight = 16;
    static constexpr int kDotSize = 3;
    // The glyph string: a character's position in it is its glyph number.
    static const QString kGlyphChars;  // "0123456789ABCDEF.+-"

    explicit DigitDisplay(QWidget* parent = nullptr);

    // Shows a result text right-aligned (commas become dots between the glyphs); failed or an
    // empty text leaves the display blank. Texts longer than the display lose their left part.
    // A screen reader reads the display as "結果" and the text, the error text too.
    void ShowDigits(const QString& text, bool failed);
    // From now on shows the result of sheet's current line, blank while it fails.
    void Follow(const SheetDocument& sheet);

    // A screen reader hears the result once it has stood for a pause in typing, and only when
    // it differs from what was heard last (ResultSpeech).
    static constexpr int kSpeechPauseMs = 500;
    void SpeakResult();  // at once (Return)
    // The reading of the line moved to, spoken in place of the result, which it includes.
    void SpeakLine(const QString& reading);
    // The result was read out by other means (the line in the sheet that has the focus).
    void ResultHeard();
    // The input line whose description is the result heard last, so that a screen reader's
    // "where am I" there tells it along with the formula.
    void DescribeInput(QWidget* input);

    // The glyph number shown at a position (0 = IM00, the rightmost), or -1 when it is empty.
    int GlyphAt(int position) const;
    bool DotVisible(int dot) const;  // dot 0 = IMc1
    int DotLeft(int dot) const;

    // Where glyph position p and comma dot k sit on the panel.
    static QRect GlyphRect(int position);
    static int DotTop() { return 23; }
    static int InitialDotLeft(int dot);

    // The result panel's colour as Qt takes it.
    static QColor PanelColor();
    // The 19 glyph pictures (ILnum), in the order of kGlyphChars, transparent where unlit, and
    // the comma dot, drawn for a screen with that device pixel ratio.
    static const std::vector<QPixmap>& Glyphs(qreal ratio = 1.0);
    static const QPixmap& DotPicture(qreal ratio = 1.0);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void Speak(const QString& text);
    void DescribeHeardResult();

    std::array<int, kPositions> glyphs_;
    std::array<bool, kDots> dotVisible_;
    std::array<int, kDots> dotLeft_;
    ResultSpeech speech_;
    QTimer pause_;  // runs out when typing has paused
    QPointer<QWidget> input_;
    SheetDocument::Subscription subscription_;
};
