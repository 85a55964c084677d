#pragma once
// The workbook writer library, loaded when the first workbook is written: start-up then maps
// neither it nor the cryptography library it brings along.

#include <xlsxwriter.h>

struct XlsxLibrary {
    decltype(&::workbook_new_opt) workbook_new_opt = nullptr;
    decltype(&::workbook_add_worksheet) workbook_add_worksheet = nullptr;
    decltype(&::worksheet_write_number) worksheet_write_number = nullptr;
    decltype(&::worksheet_write_string) worksheet_write_string = nullptr;
    decltype(&::worksheet_set_selection) worksheet_set_selection = nullptr;
    decltype(&::workbook_close) workbook_close = nullptr;
};

// The library's functions, loaded on the first call; nullptr when it cannot be loaded.
const XlsxLibrary* LoadXlsxLibrary();
