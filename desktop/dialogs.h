#pragma once
// Message boxes and file dialogs behind one small interface, so that tests answer them without
// a modal loop. Every box has the caption "Tessarin"; callers act only on Yes.

#include <QString>
#include <QStringList>

class QFileDialog;
class QWidget;

enum class NoticeIcon { Error, Warning, Information, Question };

struct FileDialogSetup {
    QString title;          // empty: the platform's default title
    QString folder;         // the folder the dialog opens in
    QString fileName;       // preset file name (may be a full path)
    QString filter;         // e.g. "数式ファイル(*.tsf)|*.tsf"
    QString defaultSuffix;  // e.g. "tsf"
};

class Dialogs {
public:
    virtual ~Dialogs() = default;
    // The text with an OK button.
    virtual void ShowNotice(QWidget* parent, const QString& text, NoticeIcon icon) = 0;
    // The text followed by " よろしいですか？" with Yes and No; true only for Yes.
    virtual bool ConfirmAction(QWidget* parent, const QString& text, NoticeIcon icon) = 0;
    // Yes and No with the question icon; noIsDefault makes No the default button.
    virtual bool AskYesNo(QWidget* parent, const QString& text, bool noIsDefault) = 0;
    // The chosen path, or empty when cancelled. The open dialog needs an existing file; the
    // save dialog asks before overwriting.
    virtual QString OpenFileName(QWidget* parent, const FileDialogSetup& setup) = 0;
    virtual QString SaveFileName(QWidget* parent, const FileDialogSetup& setup) = 0;
};

// The dialogs in use: the real ones unless a test has installed its own.
Dialogs& CurrentDialogs();
// Installs replacement dialogs (nullptr restores the real ones); the caller keeps ownership.
void InstallDialogs(Dialogs* dialogs);

// A filter of description|pattern pairs ("数式ファイル(*.tsf)|*.tsf") in the form the Qt file
// dialogs take ("数式ファイル(*.tsf)"), several pairs joined by ";;".
QString QtFileFilter(const QString& pairedFilter);

// Qt's own file dialog sizes its type and date columns for English texts; widens them (and the
// dialog) for the Japanese ones, before the dialog is shown.
void WidenTypeAndDateColumns(QFileDialog& dialog);
