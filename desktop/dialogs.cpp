#include "desktop/dialogs.h"

#include <QApplication>
#include <QDateTime>
#include <QFileDialog>
#include <QHeaderView>
#include <QLocale>
#include <QMainWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QTreeView>
#include <algorithm>

namespace {

const QString kCaption = QStringLiteral("Tessarin");

QMessageBox::Icon BoxIcon(NoticeIcon icon) {
    switch (icon) {
        case NoticeIcon::Error:
            return QMessageBox::Critical;
        case NoticeIcon::Warning:
            return QMessageBox::Warning;
        case NoticeIcon::Information:
            return QMessageBox::Information;
        case NoticeIcon::Question:
            break;
    }
    return QMessageBox::Question;
}

// The window a box belongs to: the one asked for, else the active one, else the program's main
// window, so that it never appears on its own where a compositor happens to put it.
QWidget* Owner(QWidget* parent) {
    if (parent) return parent;
    if (QWidget* active = QApplication::activeWindow()) return active;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (qobject_cast<QMainWindow*>(window) && window->isVisible()) return window;
    }
    return nullptr;
}

bool AskYes(QWidget* parent, const QString& text, QMessageBox::Icon icon, bool noIsDefault) {
    QMessageBox box(icon, kCaption, text, QMessageBox::Yes | QMessageBox::No, Owner(parent));
    box.setDefaultButton(noIsDefault ? QMessageBox::No : QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

}  // namespace

void WidenTypeAndDateColumns(QFileDialog& dialog) {
    auto* view = dialog.findChild<QTreeView*>(QStringLiteral("treeView"));
    if (!view) return;
    const QFontMetrics metrics(view->font());
    const int padding = metrics.horizontalAdvance(QStringLiteral("MM"));
    const QString date =
        QLocale().toString(QDateTime(QDate(2000, 12, 28), QTime(23, 59)), QLocale::ShortFormat);
    QHeaderView* header = view->header();
    const int typeWidth = metrics.horizontalAdvance(QStringLiteral("フォルダー")) + padding;
    const int dateWidth = metrics.horizontalAdvance(date) + padding;
    // Measured against the English samples the columns are sized for, not against the sizes
    // a previous dialog may have left in Qt's settings.
    const int growth =
        std::max(typeWidth - metrics.horizontalAdvance(QStringLiteral("mp3Folder")), 0) +
        std::max(dateWidth - metrics.horizontalAdvance(QStringLiteral("10/29/81 02:02PM")), 0);
    header->resizeSection(2, std::max(header->sectionSize(2), typeWidth));
    header->resizeSection(3, std::max(header->sectionSize(3), dateWidth));
    // The dialog grows by as much, so the name column keeps its room.
    dialog.resize(dialog.width() + growth, dialog.height());
}

namespace {

void Prepare(QFileDialog& dialog, const FileDialogSetup& setup) {
    WidenTypeAndDateColumns(dialog);
    if (!setup.title.isEmpty()) dialog.setWindowTitle(setup.title);
    if (!setup.folder.isEmpty()) dialog.setDirectory(setup.folder);
    const QString filter = QtFileFilter(setup.filter);
    if (!filter.isEmpty()) dialog.setNameFilters(filter.split(QStringLiteral(";;")));
    if (!setup.defaultSuffix.isEmpty()) dialog.setDefaultSuffix(setup.defaultSuffix);
    if (!setup.fileName.isEmpty()) dialog.selectFile(setup.fileName);
}

QString ChosenFile(QFileDialog& dialog) {
    if (dialog.exec() != QDialog::Accepted) return {};
    const QStringList files = dialog.selectedFiles();
    return files.isEmpty() ? QString() : files.first();
}

class QtDialogs : public Dialogs {
public:
    void ShowNotice(QWidget* parent, const QString& text, NoticeIcon icon) override {
        QMessageBox box(BoxIcon(icon), kCaption, text, QMessageBox::Ok, Owner(parent));
        box.exec();
    }

    bool ConfirmAction(QWidget* parent, const QString& text, NoticeIcon icon) override {
        return AskYes(parent, text + QStringLiteral(" よろしいですか？"), BoxIcon(icon), false);
    }

    bool AskYesNo(QWidget* parent, const QString& text, bool noIsDefault) override {
        return AskYes(parent, text, QMessageBox::Question, noIsDefault);
    }

    QString OpenFileName(QWidget* parent, const FileDialogSetup& setup) override {
        QFileDialog dialog(Owner(parent));
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
        Prepare(dialog, setup);
        return ChosenFile(dialog);
    }

    QString SaveFileName(QWidget* parent, const FileDialogSetup& setup) override {
        QFileDialog dialog(Owner(parent));
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        // Asking before an existing file is replaced is the dialog's default; keep it so.
        dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
        Prepare(dialog, setup);
        return ChosenFile(dialog);
    }
};

QtDialogs& RealDialogs() {
    static QtDialogs dialogs;
    return dialogs;
}

Dialogs* installed = nullptr;

}  // namespace

Dialogs& CurrentDialogs() {
    return installed ? *installed : RealDialogs();
}

void InstallDialogs(Dialogs* dialogs) {
    installed = dialogs;
}

QString QtFileFilter(const QString& pairedFilter) {
    const QStringList parts = pairedFilter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString& description = parts[i];
        QString patterns = parts[i + 1];
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        // Qt reads the patterns from the parentheses; a description that already shows them
        // is taken as it is.
        if (description.contains(QLatin1Char('(') + patterns + QLatin1Char(')'))) {
            filters << description;
        } else {
            filters << description + QStringLiteral(" (") + patterns + QLatin1Char(')');
        }
    }
    // A lone description without a pattern is passed on unchanged.
    if (parts.size() % 2 == 1 && !parts.last().isEmpty()) filters << parts.last();
    return filters.join(QStringLiteral(";;"));
}
