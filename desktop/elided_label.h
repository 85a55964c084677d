#pragma once
// A label sized in its font for a sample of its longest text that never drops part of its text
// unmarked: text wider than the label ends in "…", and the whole text shows in its tip.

#include <QLabel>

class ElidedLabel : public QLabel {
    Q_OBJECT

public:
    // The label asks for room for sample; a narrow window may give it less, down to a few
    // characters.
    explicit ElidedLabel(const QString& sample, QWidget* parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    // The text as shown: the whole text, or its start and "…".
    QString ShownText() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;

private:
    int WidthFor(const QString& text) const;

    QString sample_;
    // The sizes asked for depend on the font and the sample alone, and the shown text on the
    // text and the width: the panels of a status bar are laid out and painted at every change
    // of a sheet, so both are kept until what they depend on changes.
    mutable QSize hint_, minimumHint_;
    mutable QString shown_, shownFor_;
    mutable int shownWidth_ = -1;
};
