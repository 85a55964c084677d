#include "ui/sheet_status_bar.h"

#include "desktop/elided_label.h"
#include "settings/display_modes.h"
#include "settings/execute_parameter.h"
#include "sheet/sheet_summary.h"

namespace {

// The longest texts of the panels: each panel is sized for its sample in the status bar's font.
const QString kSamples[3] = {QStringLiteral(" Avg. -1.2345678901E+4931 "),
                             QStringLiteral(" Avg. -1.2345678901E+4931 "),
                             QStringLiteral(" n 100 ")};

}  // namespace

SheetStatusBar::SheetStatusBar(const SheetDocument& sheet, const ExecuteParameter& settings,
                               QWidget* parent)
    : QStatusBar(parent), sheet_(sheet), settings_(settings) {
    setObjectName(QStringLiteral("SBstatus"));
    for (int i = 0; i < 3; ++i) {
        auto* panel = new ElidedLabel(kSamples[i], this);
        panel->setObjectName(QStringLiteral("statusPanel%1").arg(i));
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        addWidget(panel);
        panels_[i] = panel;
    }
    subscription_ = sheet_.Observe([this](const SheetChange& change) {
        if (change.firstLine <= change.lastLine || change.selection) Refresh();
    });
    Refresh();
}

void SheetStatusBar::Refresh() {
    const std::array<std::string, 3> texts =
        SummaryTexts(sheet_, settings_.RSUM != 0, settings_.Modes());
    for (int i = 0; i < 3; ++i)
        panels_[i]->setText(QString::fromStdString(texts[i]));
}
