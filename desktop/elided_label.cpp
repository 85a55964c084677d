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
    return QSize(WidthFor(sample_), QLabel::sizeHint().height());
}

QSize ElidedLabel::minimumSizeHint() const {
    return QSize(WidthFor(sample_.left(4)), QLabel::minimumSizeHint().height());
}

QString ElidedLabel::ShownText() const {
    const QFontMetrics metrics = fontMetrics();
    return QString::fromStdString(
        FitText(text().toStdString(), contentsRect().width(), [&metrics](const std::string& part) {
            return metrics.horizontalAdvance(QString::fromStdString(part));
        }));
}

void ElidedLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    drawFrame(&painter);
    style()->drawItemText(&painter, contentsRect(), int(alignment()), palette(), isEnabled(),
                          ShownText(), foregroundRole());
}

bool ElidedLabel::event(QEvent* event) {
    if (event->type() != QEvent::ToolTip) return QLabel::event(event);
    const QString shown = ShownText();
    if (shown != text()) {
        QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), text(), this);
    } else {
        QToolTip::hideText();
    }
    return true;
}
