#pragma once
// The spreadsheet export by automation: starts the spreadsheet program, adds a workbook and
// pastes the export text at a cell. Holds the references of the last export; the program stays
// open under the user's control.

#include <functional>
#include <string>

#include "export/automation.h"

class ExcelControl {
public:
    // Empties the clipboard and puts a plain text on it.
    using ClipboardWriter = std::function<void(const std::string& text)>;

    explicit ExcelControl(ClipboardWriter clipboardWriter = {});

    // Creates "Excel.Application", sets "Visible" to visible and keeps its "Workbooks"; 1 on
    // success, 0 when any of it failed.
    int StartExcel(int visible);
    // "Add" on workbooks, then keeps the application's "ActiveWorkbook" and "ActiveSheet".
    void AddWorkbook();
    // range := the sheet's "Range" for cell; "Select" on it.
    void SelectCell(const std::string& cell);
    // Puts text on the clipboard, selects cell and calls "Paste" on the sheet, handing it the
    // rows of text typed as well. With a textField of 0 or more, that field of every line is
    // first given the text format ("NumberFormat" "@"), so the spreadsheet keeps it exactly as
    // shown instead of reading it as a number.
    void PasteText(const std::string& cell, const std::string& text, int textField = -1);

    AutomationRef application;
    AutomationRef workbooks;
    AutomationRef workbook;
    AutomationRef sheet;
    AutomationRef range;
    ClipboardWriter clipboard;
};

// The spreadsheet export of text at cell through excel: start, new workbook, paste,
// select cell. False when the spreadsheet program cannot be started (nothing else happened,
// the clipboard is untouched); a later failure, such as a cell the spreadsheet refuses, throws
// std::runtime_error whose text is meant for the user. textField as for PasteText.
bool ExportToSpreadsheet(ExcelControl& excel, const std::string& cell, const std::string& text,
                         int textField = -1);
