#pragma once
// The result panel PLresult on the result colour: the digit display, the input line and its two
// speed buttons, the clear button BTclear and the recalculation button BTrecal.

#include <QWidget>

class DigitDisplay;
class FormulaInput;
class QToolButton;

class ResultPanel : public QWidget {
    Q_OBJECT

public:
    explicit ResultPanel(QWidget* parent = nullptr);

    DigitDisplay* digits;
    FormulaInput* EDcalc;
    QToolButton* BTclear;
    QToolButton* BTrecal;
};
