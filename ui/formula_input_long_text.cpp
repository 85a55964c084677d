// The input line holding a long text (a formula file may give a line megabytes): only the
// characters around the caret are laid out and drawn, and the pointer is mapped through them.
// The control's own painting would shape and measure the whole text on every caret blink.

#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTextLine>
#include <algorithm>

#include "ui/formula_input.h"

namespace {

// The control leaves this much room between its contents box and the text.
constexpr int kTextMargin = 2;

}  // namespace

void FormulaInput::LayOutLongText(LongTextView& view) {
    QStyleOptionFrame option;
    initStyleOption(&option);
    view.box = style()
                   ->subElementRect(QStyle::SE_LineEditContents, &option, this)
                   .marginsRemoved(textMargins())
                   .adjusted(kTextMargin, 0, -kTextMargin, 0);

    // Every character is at least a pixel wide, so this many on each side of the caret cover
    // the box whatever the scroll position.
    const QString& all = text();
    const qsizetype span = std::max(view.box.width(), 1) + 1;
    const qsizetype caret = cursorPosition();
    qsizetype first = std::clamp(longTextLeft_, std::max<qsizetype>(caret - span, 0), caret);
    if (first > 0 && first < all.size() && all.at(first).isLowSurrogate()) --first;
    const qsizetype last = std::min(all.size(), caret + span);

    view.first = first;
    view.layout.setText(all.mid(first, last - first));
    view.layout.setFont(font());
    QTextOption wrap;
    wrap.setWrapMode(QTextOption::NoWrap);
    view.layout.setTextOption(wrap);
    view.layout.beginLayout();
    QTextLine line = view.layout.createLine();
    view.layout.endLayout();

    // Scroll right only as far as brings the caret into the box.
    const qreal caretX = line.cursorToX(static_cast<int>(caret - first));
    view.offset = 0;
    if (caretX > view.box.width() - 1) {
        const qreal wanted = caretX - (view.box.width() - 1);
        int left = line.xToCursor(wanted, QTextLine::CursorOnCharacter);
        if (line.cursorToX(left) < wanted) ++left;
        view.offset = line.cursorToX(left);
        longTextLeft_ = first + left;
    } else {
        longTextLeft_ = first;
    }
}

void FormulaInput::PaintLongText() {
    LongTextView view;
    LayOutLongText(view);

    QPainter painter(this);
    QStyleOptionFrame option;
    initStyleOption(&option);
    style()->drawPrimitive(QStyle::PE_PanelLineEdit, &option, &painter, this);
    painter.setClipRect(view.box);

    const QTextLine line = view.layout.lineAt(0);
    const QPointF origin(view.box.left() - view.offset,
                         view.box.top() + (view.box.height() - line.height()) / 2);
    painter.setPen(palette().color(QPalette::Text));

    QList<QTextLayout::FormatRange> selections;
    if (hasSelectedText()) {
        const qsizetype from = std::max<qsizetype>(selectionStart() - view.first, 0);
        const qsizetype to = std::min<qsizetype>(selectionEnd() - view.first, line.textLength());
        if (from < to) {
            QTextLayout::FormatRange range;
            range.start = static_cast<int>(from);
            range.length = static_cast<int>(to - from);
            range.format.setBackground(palette().brush(QPalette::Highlight));
            range.format.setForeground(palette().brush(QPalette::HighlightedText));
            selections.append(range);
        }
    }
    view.layout.draw(&painter, origin, selections);
    if (hasFocus() && !isReadOnly()) {
        view.layout.drawCursor(&painter, origin, static_cast<int>(cursorPosition() - view.first),
                               style()->pixelMetric(QStyle::PM_TextCursorWidth, &option, this));
    }
}

int FormulaInput::PositionAt(const QPoint& point) {
    if (!HoldsLongText()) return cursorPositionAt(point);
    LongTextView view;
    LayOutLongText(view);
    const QTextLine line = view.layout.lineAt(0);
    return static_cast<int>(view.first + line.xToCursor(point.x() - view.box.left() + view.offset));
}

void FormulaInput::paintEvent(QPaintEvent* event) {
    if (HoldsLongText()) {
        PaintLongText();
    } else {
        QLineEdit::paintEvent(event);
    }
}

void FormulaInput::mousePressEvent(QMouseEvent* event) {
    const bool ownButton = event->button() == Qt::LeftButton || event->button() == Qt::MiddleButton;
    if (!HoldsLongText() || !ownButton) {
        QLineEdit::mousePressEvent(event);
        return;
    }
    event->accept();
    const int position = PositionAt(event->position().toPoint());
    if (event->button() == Qt::LeftButton && (event->modifiers() & Qt::ShiftModifier)) {
        int anchor = cursorPosition();
        if (hasSelectedText())
            anchor = anchor == selectionStart() ? selectionEnd() : selectionStart();
        setSelection(anchor, position - anchor);
        dragAnchor_ = anchor;
        return;
    }
    setCursorPosition(position);
    dragAnchor_ = event->button() == Qt::LeftButton ? position : -1;
}

void FormulaInput::mouseMoveEvent(QMouseEvent* event) {
    if (!HoldsLongText() || dragAnchor_ < 0) {
        QLineEdit::mouseMoveEvent(event);
        return;
    }
    event->accept();
    if (!(event->buttons() & Qt::LeftButton)) return;
    const int position = PositionAt(event->position().toPoint());
    setSelection(dragAnchor_, position - dragAnchor_);
}

void FormulaInput::mouseDoubleClickEvent(QMouseEvent* event) {
    // The control's word selection maps the pointer through the whole text; a long text takes
    // the double click as a press.
    if (HoldsLongText()) {
        mousePressEvent(event);
    } else {
        QLineEdit::mouseDoubleClickEvent(event);
    }
}
