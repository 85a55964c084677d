#pragma once
// A horizontal track bar with a selection range (drawn from its start to the maximum) and a
// slider that can be hidden, as a disabled transparency control shows.

#include <QSlider>

class TrackBar : public QSlider {
    Q_OBJECT

public:
    explicit TrackBar(QWidget* parent = nullptr);

    int SelStart() const { return selStart_; }
    void SetSelStart(int start);
    bool SliderVisible() const { return sliderVisible_; }
    void SetSliderVisible(bool visible);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int selStart_ = 0;
    bool sliderVisible_ = true;
};
