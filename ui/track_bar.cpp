#include "ui/track_bar.h"

#include <QPainter>
#include <QStyleOptionSlider>
#include <algorithm>

TrackBar::TrackBar(QWidget* parent) : QSlider(Qt::Horizontal, parent) {}

void TrackBar::SetSelStart(int start) {
    selStart_ = start;
    update();
}

void TrackBar::SetSliderVisible(bool visible) {
    sliderVisible_ = visible;
    update();
}

void TrackBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QStyleOptionSlider option;
    initStyleOption(&option);
    option.subControls = QStyle::SC_SliderGroove;
    if (tickPosition() != NoTicks) option.subControls |= QStyle::SC_SliderTickmarks;
    style()->drawComplexControl(QStyle::CC_Slider, &option, &painter, this);

    // The selection runs along the groove from the slider centre at its start to the maximum.
    const QRect groove =
        style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderGroove, this);
    auto centreAt = [&](int value) {
        QStyleOptionSlider at = option;
        at.sliderPosition = value;
        return style()
            ->subControlRect(QStyle::CC_Slider, &at, QStyle::SC_SliderHandle, this)
            .center()
            .x();
    };
    const int from = centreAt(std::clamp(selStart_, minimum(), maximum()));
    const int to = centreAt(maximum());
    if (from < to) {
        painter.fillRect(QRect(from, groove.center().y() - 1, to - from, 3),
                         palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled,
                                         QPalette::Highlight));
    }
    if (sliderVisible_) {
        option.subControls = QStyle::SC_SliderHandle;
        style()->drawComplexControl(QStyle::CC_Slider, &option, &painter, this);
    }
}
