#include "desktop/xlsx_library.h"

#include <dlfcn.h>

namespace {

template <typename Function>
bool Bind(void* library, const char* name, Function& function) {
    function = reinterpret_cast<Function>(dlsym(library, name));
    return function != nullptr;
}

XlsxLibrary* Load() {
    void* library = dlopen(TESSARIN_XLSXWRITER_LIBRARY, RTLD_LAZY | RTLD_LOCAL);
    if (!library) return nullptr;
    static XlsxLibrary xlsx;
    const bool bound = Bind(library, "workbook_new_opt", xlsx.workbook_new_opt) &&
                       Bind(library, "workbook_add_worksheet", xlsx.workbook_add_worksheet) &&
                       Bind(library, "worksheet_write_number", xlsx.worksheet_write_number) &&
                       Bind(library, "worksheet_write_string", xlsx.worksheet_write_string) &&
                       Bind(library, "worksheet_set_selection", xlsx.worksheet_set_selection) &&
                       Bind(library, "workbook_close", xlsx.workbook_close);
    return bound ? &xlsx : nullptr;
}

}  // namespace

const XlsxLibrary* LoadXlsxLibrary() {
    static const XlsxLibrary* const loaded = Load();
    return loaded;
}
