#pragma once
// The spreadsheet behind the export on Linux: "Excel.Application" stands for a spreadsheet
// program found on this system; the workbook is built in memory, written as an .xlsx file into
// the workbook folder (workbook_folder.h) once the pasted block is selected, and opened in that
// program.

#include <QStringList>
#include <optional>

// The command that opens a workbook, the file's path to be appended: $TESSARIN_SPREADSHEET when
// set (a program and its arguments, double quotes around one that holds blanks), else "soffice
// --calc" or "libreoffice --calc" from the PATH, else xdg-open when xdg-mime names a program for
// .xlsx files; nullopt when there is none.
std::optional<QStringList> FindSpreadsheetCommand();

// Installs the automation factory that creates these objects.
void InstallWorkbookAutomation();
