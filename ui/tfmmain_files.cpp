// The file commands: new sheet, open, save and save as, with the sheet's modified state, the
// current file name and the folder of the file dialogs; and the two exports.

#include <QAction>
#include <QClipboard>
#include <QFileInfo>
#include <QGuiApplication>
#include <exception>

#include "desktop/clipboard.h"
#include "desktop/dialogs.h"
#include "desktop/grid_widget.h"
#include "export/excel_control.h"
#include "export/export_text.h"
#include "expr/calc_expression.h"
#include "settings/execute_parameter.h"
#include "sheet/extend_string_grid.h"
#include "sheet/formula_file.h"
#include "sheet/formula_sheet.h"
#include "ui/sheet_undo.h"
#include "ui/tfmmain.h"

namespace {

const QString kFilter = QStringLiteral("数式ファイル(*.tsf)|*.tsf");
const QString kSuffix = QStringLiteral("tsf");

// The folder of a file path, ending in a path separator.
std::string FolderOf(const QString& path) {
    return (QFileInfo(path).absolutePath() + QLatin1Char('/')).toStdString();
}

// The file dialogs open in folder.
FileDialogSetup DialogSetup(const QString& title, const std::string& folder,
                            const QString& fileName) {
    return {title, QString::fromStdString(folder), fileName, kFilter, kSuffix};
}

}  // namespace

void TFMmain::MMactionnewClick(QAction* sender) {
    if (sender && !Updating && Modified() &&
        !CurrentDialogs().ConfirmAction(this, QStringLiteral(" 全ての数式を消去します。\n"),
                                        NoticeIcon::Question)) {
        return;
    }
    sheet_->ClearAllLines();
    if (sender) {
        fileName_.clear();
        sheetFileStamp_.Clear();
    }
    SetModified(false);
    MoveToLine(0);
    SGcalcClick();
    SGcalc->Repaint();
    RebuildTitle();
    // The user's new sheet starts a fresh history; Ctrl+Space (no sender) is a step of it.
    if (sender) undo_->Reset();
}

void TFMmain::MMactionloadClick(QAction*) {
    if (!Updating && Modified() &&
        !CurrentDialogs().ConfirmAction(
            this, QStringLiteral(" 全ての数式を消去して読み込みます。\n"), NoticeIcon::Question)) {
        return;
    }
    const QString path = CurrentDialogs().OpenFileName(
        this, DialogSetup(QStringLiteral("数式ファイル"), settings_.FOLDER, QString()));
    if (path.isEmpty()) return;
    LoadFormulaFile(path);
}

void TFMmain::LoadFormulaFile(const QString& path) {
    // The file as it was before reading: a change made while it is read counts as one.
    FileStamp stamp;
    stamp.Take(path.toStdString());
    const FormulaFileReadResult result = ReadFormulaFile(path.toStdString());
    // A file that could not be read at all (or is no text) leaves everything as it was, the file
    // name too, so that a following save cannot overwrite a file that was never shown.
    if (result.status != FormulaFileStatus::Unreadable) {
        fileName_ = path;
        sheetFileStamp_ = stamp;
    }
    if (result.EmptiesSheet()) MMactionnewClick(nullptr);
    // Also with a header line that is no line of the sheet, the input line shows the formula of
    // the line that stays current.
    if (result.AppliesContent()) PutSheetContent(result.content, result.Succeeded());
    if (result.Succeeded()) {
        settings_.FOLDER = FolderOf(path);
    } else {
        CurrentDialogs().ShowNotice(this, path + QStringLiteral("\nファイルが読み込めません。"),
                                    NoticeIcon::Error);
    }
    RefreshWindow(true);
    if (result.status != FormulaFileStatus::Unreadable) undo_->Reset();
}

void TFMmain::PutSheetContent(const FormulaFileContent& content, bool toCurrentLine) {
    ApplyFormulaFileSettings(content.settings, settings_, calculator_);
    for (int k = 0; k < kLineCount; ++k) {
        if (CellProperty* formula = sheetGrid_.CellAt(2, k)) {
            formula->text = content.formulas[k];
        }
    }
    if (toCurrentLine) MoveToLine(content.currentLine);
    SGcalcClick();
    SGcalc->Repaint();
}

void TFMmain::RestoreSheet(const FormulaFileContent& content, const QString& fileName) {
    MMactionnewClick(nullptr);
    PutSheetContent(content, true);
    // The same file keeps its stamp (undo and redo come this way): a save still asks before it
    // overwrites what another program wrote.
    if (fileName != fileName_) sheetFileStamp_.Clear();
    fileName_ = fileName;
    SetModified(true);
    RefreshWindow(true);
}

void TFMmain::MMactionsaveClick(QAction* sender) {
    MMactionrenClick(fileName_.isEmpty() ? sender : nullptr);
}

void TFMmain::MMactionrenClick(QAction* sender) {
    QString path = fileName_;
    if (sender) {
        path = CurrentDialogs().SaveFileName(this,
                                             DialogSetup(QString(), settings_.FOLDER, fileName_));
        if (path.isEmpty()) return;
    }
    fileName_ = path;
    SaveFormulaFile();
    RebuildTitle();
}

FormulaFileContent TFMmain::SheetContent() const {
    FormulaFileContent content;
    content.currentLine = CurrentLine();
    const ExecuteParameter& p = settings_;
    content.settings = {p.AMODE, p.CMODE, p.VMODE, p.COMMA, p.HSIZE, p.DEGREE};
    for (int k = 0; k < kLineCount; ++k) {
        if (const CellProperty* formula = sheetGrid_.CellAt(2, k)) {
            content.formulas[k] = formula->text;
        }
    }
    return content;
}

void TFMmain::SaveFormulaFile() {
    const FormulaFileContent content = SheetContent();
    const std::string path = fileName_.toStdString();
    if (sheetFileStamp_.ChangedSince(path) &&
        !CurrentDialogs().AskYesNo(
            this,
            QStringLiteral("ファイルは他のプログラムによって変更されています。\n上書きしますか？"),
            true)) {
        return;
    }
    if (!fileName_.isEmpty() && WriteFormulaFile(path, content) == FileStatus::Ok) {
        sheetFileStamp_.Take(path);
        SetModified(false);
        settings_.FOLDER = FolderOf(fileName_);
    } else {
        CurrentDialogs().ShowNotice(
            this, fileName_ + QStringLiteral("\nファイルが書き込めません。"), NoticeIcon::Error);
    }
}

void TFMmain::MMactionexpclipClick(QAction*) {
    PutClipboardText(BuildExportText(sheetGrid_, settings_.EOUT));
}

void TFMmain::MMactionexpexcelClick(QAction*) {
    // A refusal after the start (a cell the spreadsheet cannot take) is told here: an exception
    // must not travel through Qt's event delivery, whose own clean-up it would skip.
    const ExecuteParameter& p = settings_;
    try {
        const std::string text = BuildExportText(sheetGrid_, p.EOUT);
        if (!ExportToSpreadsheet(excel_, p.ECELL, text,
                                 TextFieldOfExport(p.EOUT, p.CMODE, p.VMODE))) {
            CurrentDialogs().ShowNotice(this, QStringLiteral("Excelを起動できません。"),
                                        NoticeIcon::Error);
        }
    } catch (const std::exception& error) {
        CurrentDialogs().ShowNotice(this, QString::fromUtf8(error.what()), NoticeIcon::Error);
    }
}
