#include "ui/file_commands.h"

#include <QWidget>

#include "desktop/dialogs.h"
#include "desktop/file_names.h"
#include "settings/execute_parameter.h"
#include "sheet/formula_file.h"

namespace {

const QString kFilter = QStringLiteral("数式ファイル(*.tsf)|*.tsf");
const QString kSuffix = QStringLiteral("tsf");

// The folder of an absolute file path, ending in a path separator.
std::string FolderOf(const std::string& path) {
    return path.substr(0, path.rfind('/') + 1);
}

// The file dialogs open in folder.
FileDialogSetup DialogSetup(const QString& title, const std::string& folder,
                            const QString& fileName) {
    return {title, QString::fromStdString(folder), fileName, kFilter, kSuffix};
}

}  // namespace

FileCommands::FileCommands(QWidget& window, SheetDocument& sheet, ExecuteParameter& settings)
    : QObject(&window), window_(window), sheet_(sheet), settings_(settings) {}

void FileCommands::New() {
    if (sheet_.IsModified() &&
        !CurrentDialogs().ConfirmAction(&window_, QStringLiteral(" 全ての数式を消去します。\n"),
                                        NoticeIcon::Question)) {
        return;
    }
    sheet_.NewSheet();
}

void FileCommands::Open(const std::string& dropped) {
    if (sheet_.IsModified() &&
        !CurrentDialogs().ConfirmAction(&window_,
                                        QStringLiteral(" 全ての数式を消去して読み込みます。\n"),
                                        NoticeIcon::Question)) {
        return;
    }
    if (!dropped.empty()) {
        Load(dropped);
        return;
    }
    const QString path = CurrentDialogs().OpenFileName(
        &window_, DialogSetup(QStringLiteral("数式ファイル"), settings_.FOLDER, QString()));
    if (!path.isEmpty()) Load(SystemPath(path));
}

void FileCommands::Load(const std::string& path) {
    // The file as it was before reading: a change made while it is read counts as one.
    FileStamp stamp;
    stamp.Take(path);
    const FormulaFileReadResult result = ReadFormulaFile(path);
    // A file that could not be read at all (or is no text) leaves everything as it was, the file
    // name too, so that a following save cannot overwrite a file that was never shown.
    if (result.status != FormulaFileStatus::Unreadable) {
        if (result.AppliesContent()) ApplyFormulaFileSettings(result.content.settings, settings_);
        sheet_.Load(result.content, path, stamp, result.linesLeftOut);
    }
    if (result.linesLeftOut > 0) {
        CurrentDialogs().ShowNotice(
            &window_,
            ShownPath(path) +
                QStringLiteral("\nシートに入らない %1 行（A99 より後の行、見出し行の代わりの式）は"
                               "読み込みませんでした。")
                    .arg(result.linesLeftOut),
            NoticeIcon::Warning);
    }
    if (result.Succeeded()) {
        settings_.FOLDER = FolderOf(path);
    } else {
        CurrentDialogs().ShowNotice(
            &window_, ShownPath(path) + QStringLiteral("\nファイルが読み込めません。"),
            NoticeIcon::Error);
    }
    // The lines come in as the input line takes the current one, and a refresh recalculates
    // them again: a line that reads a later one has its value then.
    emit SettingsTaken();
}

void FileCommands::Restore(const FormulaFileContent& content, const std::string& fileName) {
    ApplyFormulaFileSettings(content.settings, settings_);
    sheet_.Restore(content, fileName);
    emit SettingsTaken();
}

void FileCommands::Save() {
    if (sheet_.FileName().empty()) {
        SaveAs();
    } else {
        Write(sheet_.FileName());
    }
}

void FileCommands::SaveAs() {
    const QString path = CurrentDialogs().SaveFileName(
        &window_, DialogSetup(QString(), settings_.FOLDER, ShownPath(sheet_.FileName())));
    if (!path.isEmpty()) Write(SystemPath(path));
}

bool FileCommands::Write(const std::string& file) {
    // Writing over the sheet's own file would lose the lines it left out, or what another
    // program wrote since.
    if (file == sheet_.FileName() && sheet_.LinesLeftOut() > 0 &&
        !CurrentDialogs().AskYesNo(
            &window_,
            QStringLiteral("ファイルにはシートに入らない %1 行があります。\n"
                           "上書きするとその行は失われます。上書きしますか？")
                .arg(sheet_.LinesLeftOut()),
            true)) {
        return false;
    }
    if (sheet_.FileSeen().ChangedSince(file) &&
        !CurrentDialogs().AskYesNo(
            &window_,
            QStringLiteral("ファイルは他のプログラムによって変更されています。\n上書きしますか？"),
            true)) {
        return false;
    }
    if (WriteFormulaFile(file, sheet_.Content()) != FileStatus::Ok) {
        // The sheet stays under its old name: the next save goes where the last one went.
        CurrentDialogs().ShowNotice(
            &window_, ShownPath(file) + QStringLiteral("\nファイルが書き込めません。"),
            NoticeIcon::Error);
        return false;
    }
    FileStamp stamp;
    stamp.Take(file);
    sheet_.MarkSaved(file, stamp);
    settings_.FOLDER = FolderOf(file);
    return true;
}
