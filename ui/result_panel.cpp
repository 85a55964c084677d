#include "ui/result_panel.h"

#include <QHBoxLayout>
#include <QToolButton>

#include "desktop/font_choice.h"
#include "ui/digit_display.h"
#include "ui/formula_input.h"
#include "ui/icons.h"

namespace {

QToolButton* SpeedButton(QWidget* panel, const char* name, const QString& hint, ToolIcon icon) {
    auto* button = new QToolButton(panel);
    button->setObjectName(QString::fromLatin1(name));
    button->setToolTip(hint);
    button->setAccessibleName(hint);
    button->setIcon(ToolIconPicture(icon));
    button->setAutoRaise(true);
    // Reached by Tab, never by a click: a click leaves the focus in the input line.
    button->setFocusPolicy(Qt::TabFocus);
    return button;
}

}  // namespace

ResultPanel::ResultPanel(QWidget* parent)
    : QWidget(parent),
      digits(new DigitDisplay(this)),
      EDcalc(new FormulaInput(this)),
      BTclear(SpeedButton(this, "BTclear", QStringLiteral("式の消去"), ToolIcon::Clear)),
      BTrecal(SpeedButton(this, "BTrecal", QStringLiteral("式の再計算"), ToolIcon::Recalculate)) {
    setObjectName(QStringLiteral("PLresult"));
    setAutoFillBackground(true);
    QPalette panel = palette();
    panel.setColor(QPalette::Window, DigitDisplay::PanelColor());
    setPalette(panel);

    digits->setObjectName(QStringLiteral("digits"));
    EDcalc->setObjectName(QStringLiteral("EDcalc"));
    EDcalc->setAccessibleName(QStringLiteral("数式"));
    QFont bold = EDcalc->font();
    bold.setBold(true);
    EDcalc->setFont(bold);
    UseNumberFace(EDcalc);

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 2, 6, 2);
    row->setSpacing(4);
    row->addWidget(digits);
    row->addWidget(EDcalc, 1);
    row->addWidget(BTclear);
    row->addWidget(BTrecal);
}
