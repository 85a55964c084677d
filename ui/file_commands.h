#pragma once
// The file commands of the main window: new sheet, open, save and save as, with their questions,
// dialogs and notices, the folder the dialogs open in, and the settings a formula file carries.
// Paths are kept as the system names them.

#include <QObject>
#include <string>

#include "sheet/sheet_document.h"

class ExecuteParameter;
class QWidget;

class FileCommands : public QObject {
    Q_OBJECT

public:
    // The commands work on sheet and settings; window is where their questions and notices go.
    FileCommands(QWidget& window, SheetDocument& sheet, ExecuteParameter& settings);

    // A new sheet, after the question while the sheet is modified.
    void New();
    // Opens dropped, or the file chosen in the dialog when it is empty; asks first while the
    // sheet is modified.
    void Open(const std::string& dropped = {});
    // Reads the file at path (absolute) into the sheet: the open command once the file is
    // chosen, from the dialog, a drop or the command line.
    void Load(const std::string& path);
    // Puts a sheet back as unsaved work under the file name it had (a recovery copy).
    void Restore(const FormulaFileContent& content, const std::string& fileName);
    // Saves to the sheet's file, or as a new one when it has none.
    void Save();
    void SaveAs();

signals:
    // A file's settings became the program's: the window shows them and recalculates.
    void SettingsTaken();

private:
    // Writes the sheet to path; false (after the notice) when it was not written.
    bool Write(const std::string& path);

    QWidget& window_;
    SheetDocument& sheet_;
    ExecuteParameter& settings_;
};
