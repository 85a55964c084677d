#pragma once
// The status bar SBstatus: the sum, the average and the count of the line values in three
// panels, over all lines or the selected ones as RSUM says. It follows the sheet.

#include <QStatusBar>
#include <array>

#include "sheet/sheet_document.h"

class ElidedLabel;
class ExecuteParameter;

class SheetStatusBar : public QStatusBar {
    Q_OBJECT

public:
    SheetStatusBar(const SheetDocument& sheet, const ExecuteParameter& settings,
                   QWidget* parent = nullptr);

    // Computes the panels anew (the settings changed).
    void Refresh();

private:
    const SheetDocument& sheet_;
    const ExecuteParameter& settings_;
    std::array<ElidedLabel*, 3> panels_{};
    SheetDocument::Subscription subscription_;
};
