#include "export/excel_control.h"

#include <stdexcept>
#include <utility>
#include <vector>

#include "export/cell_reference.h"
#include "export/pasted_text.h"

namespace {

// A member that answered nothing cannot be used further.
const AutomationRef& Require(const AutomationRef& object, const std::string& name) {
    if (!object) throw std::runtime_error("オートメーションの応答がありません: " + name);
    return object;
}

}  // namespace

ExcelControl::ExcelControl(ClipboardWriter clipboardWriter)
    : clipboard(std::move(clipboardWriter)) {}

int ExcelControl::StartExcel(int visible) {
    try {
        application = CreateAutomationObject("Excel.Application");
        application->SetProperty("Visible", visible);
        workbooks = Require(application->GetProperty("Workbooks"), "Workbooks");
        return 1;
    } catch (...) {
        return 0;
    }
}

void ExcelControl::AddWorkbook() {
    Require(workbooks, "Workbooks")->Call("Add");
    const AutomationRef& app = Require(application, "Excel.Application");
    workbook = Require(app->GetProperty("ActiveWorkbook"), "ActiveWorkbook");
    sheet = Require(app->GetProperty("ActiveSheet"), "ActiveSheet");
}

void ExcelControl::SelectCell(const std::string& cell) {
    range = Require(Require(sheet, "ActiveSheet")->Call("Range", cell), "Range");
    range->Call("Select");
}

void ExcelControl::PasteText(const std::string& cell, const std::string& text, int textField) {
    if (!clipboard) throw std::runtime_error("クリップボードを使えません。");
    clipboard(text);
    const std::vector<PastedRow> rows = ReadPastedRows(text, textField);
    if (textField >= 0) {
        const CellReference first = ParseCellReference(cell);
        const int column = first.column + textField;
        const auto lines = static_cast<int>(rows.size());
        // Cells past the sheet's edge are left to the paste, which refuses them.
        for (int row = first.row;
             row < first.row + lines && row < kWorksheetRows && column < kWorksheetColumns; ++row) {
            range = Require(
                Require(sheet, "ActiveSheet")->Call("Range", CellReferenceText({row, column})),
                "Range");
            range->SetProperty("NumberFormat", "@");
        }
    }
    SelectCell(cell);
    sheet->Paste(rows);
}

bool ExportToSpreadsheet(ExcelControl& excel, const std::string& cell, const std::string& text,
                         int textField) {
    if (excel.StartExcel(1) == 0) return false;
    excel.AddWorkbook();
    excel.PasteText(cell, text, textField);
    excel.SelectCell(cell);
    return true;
}
