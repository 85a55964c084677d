// The edit menu: undo and redo of the sheet.

#include "ui/sheet_undo.h"
#include "ui/tfmmain.h"

void TFMmain::MMeditundoClick(QAction*) {
    undo_->Undo();
}

void TFMmain::MMeditredoClick(QAction*) {
    undo_->Redo();
}
