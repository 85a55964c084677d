#include "desktop/elided_label.h"

#include <QHelpEvent>
#include <QPainter>
#include <QStyle>
#include <QToolTip>
#include <algorithm>
#include <string>

#include "desktop/font_choice.h"
#include "platform/text_cut.h"

ElidedLabel::ElidedLabel(const QString& sample, QWidget* parent) : QLabel(parent), sample_(sample) {
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    UseNumberFace(this);
}

int ElidedLabel::WidthFor(const QString& text) const {
    const QMargins margins = contentsMargins();
    return fontMetrics().horizontalAdvance(text) + margins.left() + margins.right() + 2 * margin() +
           2 * std::max(indent(), 0);
}

QSize ElidedLabel::sizeHint() const {
    if (hint_.isEmpty()) hint_ = QSize(WidthFor(sample_), QLabel::sizeHint().height());
    return hint_;
}

QSize ElidedLabel::minimumSizeHint() const {
    if (minimumHint_.isEmpty())
        minimumHint_ = QSize(WidthFor(sample_.left(4)), QLabel::minimumSizeHint().height());
    return minimumHint_;
}

QString ElidedLabel::ShownText() const {
    const int width = contentsRect().width();
    if (width == shownWidth_ && text() == shownFor_) return shown_;
    const QFontMetrics metrics = fontMetrics();
    shown_ = QString::fromStdString(
        FitText(text().toStdString(), width, [&metrics](const std::string& part) {
            return metrics.horizontalAdvance(QString::fromStdString(part));
        }));
    shownFor_ = text();
    shownWidth_ = width;
    return shown_;
}

void ElidedLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    drawFrame(&painter);
    style()->drawItemText(&painter, contentsRect(), int(alignment()), palette(), isEnabled(),
                          ShownText(), foregroundRole());
}

bool ElidedLabel::event(QEvent* event) {
    const QEvent::Type type = event->type();
    if (type == QEvent::FontChange || type == QEvent::StyleChange) {
        hint_ = minimumHint_ = QSize();
        shownWidth_ = -1;
    }
    if (type != QEvent::ToolTip) return QLabel::event(event);
    const QString shown = ShownText();
    if (shown != text()) {
        QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), text(), this);
    } else {
        QToolTip::hideText();
    }
    return true;
}
