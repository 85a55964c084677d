// The file commands: new sheet, open, save and save as, with their questions and notices and
// the folder of the file dialogs; and the two exports.

#include <QAction>
#include <QFileInfo>
#include <exception>

#include "desktop/clipboard.h"
#include "desktop/dialogs.h"
#include "export/excel_control.h"
#include "export/export_text.h"
#include "settings/execute_parameter.h"
#include "sheet/formula_file.h"
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

void TFMmain::MMactionnewClick(QAction*) {
    if (sheet_.IsModified() &&
        !CurrentDialogs().ConfirmAction(this, QStringLiteral(" 全ての数式を消去します。\n"),
                                        NoticeIcon::Question)) {
        return;
    }
    sheet_.NewSheet();
}

void TFMmain::MMactionloadClick(QAction*) {
    if (sheet_.IsModified() &&
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
        if (result.AppliesContent()) ApplyFormulaFileSettings(result.content.settings, settings_);
        sheet_.Load(result.content, path.toStdString(), stamp, result.linesLeftOut);
    }
    if (result.linesLeftOut > 0) {
        CurrentDialogs().ShowNotice(
            this,
            path +
                QStringLiteral("\nシートに入らない %1 行（A99 より後の行、見出し行の代わりの式）は"
                               "読み込みませんでした。")
                    .arg(result.linesLeftOut),
            NoticeIcon::Warning);
    }
    if (result.Succeeded()) {
        settings_.FOLDER = FolderOf(path);
    } else {
        CurrentDialogs().ShowNotice(this, path + QStringLiteral("\nファイルが読み込めません。"),
                                    NoticeIcon::Error);
    }
    // The lines come in as the input line takes the current one, and a refresh recalculates
    // them again: a line that reads a later one has its value then.
    RefreshWindow(true);
}

void TFMmain::RestoreSheet(const FormulaFileContent& content, const std::string& fileName) {
    ApplyFormulaFileSettings(content.settings, settings_);
    sheet_.Restore(content, fileName);
    RefreshWindow(true);
}

void TFMmain::MMactionsaveClick(QAction* sender) {
    if (sheet_.FileName().empty()) {
        MMactionrenClick(sender);
    } else {
        SaveFormulaFile(QString::fromStdString(sheet_.FileName()));
    }
}

void TFMmain::MMactionrenClick(QAction*) {
    const QString path = CurrentDialogs().SaveFileName(
        this, DialogSetup(QString(), settings_.FOLDER, QString::fromStdString(sheet_.FileName())));
    if (!path.isEmpty()) SaveFormulaFile(path);
}

bool TFMmain::SaveFormulaFile(const QString& path) {
    const std::string file = path.toStdString();
    // Writing over the sheet's own file would lose the lines it left out, or what another
    // program wrote since.
    if (file == sheet_.FileName() && sheet_.LinesLeftOut() > 0 &&
        !CurrentDialogs().AskYesNo(
            this,
            QStringLiteral("ファイルにはシートに入らない %1 行があります。\n"
                           "上書きするとその行は失われます。上書きしますか？")
                .arg(sheet_.LinesLeftOut()),
            true)) {
        return false;
    }
    if (sheet_.FileSeen().ChangedSince(file) &&
        !CurrentDialogs().AskYesNo(
            this,
            QStringLiteral("ファイルは他のプログラムによって変更されています。\n上書きしますか？"),
            true)) {
        return false;
    }
    if (WriteFormulaFile(file, sheet_.Content()) != FileStatus::Ok) {
        // The sheet stays under its old name: the next save goes where the last one went.
        CurrentDialogs().ShowNotice(this, path + QStringLiteral("\nファイルが書き込めません。"),
                                    NoticeIcon::Error);
        return false;
    }
    FileStamp stamp;
    stamp.Take(file);
    sheet_.MarkSaved(file, stamp);
    settings_.FOLDER = FolderOf(path);
    return true;
}

void TFMmain::MMactionexpclipClick(QAction*) {
    PutClipboardText(BuildExportText(sheet_, settings_.EOUT));
}

void TFMmain::MMactionexpexcelClick(QAction*) {
    // A refusal after the start (a cell the spreadsheet cannot take) is told here: an exception
    // must not travel through Qt's event delivery, whose own clean-up it would skip.
    const ExecuteParameter& p = settings_;
    try {
        const std::string text = BuildExportText(sheet_, p.EOUT);
        if (!ExportToSpreadsheet(excel_, p.ECELL, text,
                                 TextFieldOfExport(p.EOUT, p.CMODE, p.VMODE))) {
            CurrentDialogs().ShowNotice(this, QStringLiteral("Excelを起動できません。"),
                                        NoticeIcon::Error);
        }
    } catch (const std::exception& error) {
        CurrentDialogs().ShowNotice(this, QString::fromUtf8(error.what()), NoticeIcon::Error);
    }
}
