// Qt's own texts in Japanese: message-box buttons, the file dialogs and the input line's
// context menu show no English word once the translation is installed.

#include <QAbstractButton>
#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QMessageBox>
#include <QRegularExpression>
#include <QStyle>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>
#include <memory>

#include "desktop/dialogs.h"
#include "desktop/qt_translations.h"

namespace {

// The English words among the visible texts of a widget and its children; accelerator marks
// such as "(&Y)" are no words.
QStringList EnglishWords(const QStringList& texts) {
    static const QRegularExpression accelerator(QStringLiteral("\\(&.\\)|&"));
    static const QRegularExpression word(QStringLiteral("[A-Za-z]{2,}"));
    QStringList found;
    for (QString text : texts) {
        text.remove(accelerator);
        for (const auto& match : word.globalMatch(text))
            found << match.captured();
    }
    return found;
}

QStringList VisibleTexts(const QWidget& widget) {
    QStringList texts;
    for (const QLabel* label : widget.findChildren<QLabel*>()) {
        if (label->isVisible()) texts << label->text();
    }
    for (const QAbstractButton* button : widget.findChildren<QAbstractButton*>()) {
        if (button->isVisible()) texts << button->text();
    }
    return texts;
}

// A folder with a sub-folder and a file, for the file dialog to list.
struct ListedFolder {
    QTemporaryDir folder;
    bool made = QDir(folder.path()).mkdir(QStringLiteral("sub"));
    ListedFolder() {
        QFile file(folder.filePath(QStringLiteral("note.txt")));
        made = made && file.open(QIODevice::WriteOnly) && file.write("1234") == 4;
    }
};

// The dialog shown in detail view over the folder, once its two entries are listed; the list
// view, or null when they did not appear.
QTreeView* ShowListing(QFileDialog& dialog, const ListedFolder& listed) {
    dialog.setDirectory(listed.folder.path());
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setNameFilter(QStringLiteral("*"));
    dialog.setViewMode(QFileDialog::Detail);
    dialog.show();
    auto* list = dialog.findChild<QTreeView*>(QStringLiteral("treeView"));
    const QAbstractItemModel* model = list ? list->model() : nullptr;
    if (!listed.made || !model ||
        !QTest::qWaitFor([&] { return model->rowCount(list->rootIndex()) == 2; }))
        return nullptr;
    return list;
}

// The dialog's labels and buttons, and the type, size and date of a folder and a file in its
// list (the names are the user's own).
QStringList FileDialogTexts(QFileDialog::AcceptMode mode) {
    ListedFolder listed;
    QFileDialog dialog;
    dialog.setAcceptMode(mode);
    const QTreeView* list = ShowListing(dialog, listed);
    if (!list) return {};
    QStringList texts = VisibleTexts(dialog);
    const QAbstractItemModel* model = list->model();
    for (int row = 0; row < 2; ++row) {
        for (int column = 1; column < model->columnCount(list->rootIndex()); ++column)
            texts << model->index(row, column, list->rootIndex()).data().toString();
    }
    return texts;
}

QStringList YesNoTexts() {
    QMessageBox box(QMessageBox::Question, QStringLiteral("Tessarin"), QStringLiteral("?"),
                    QMessageBox::Yes | QMessageBox::No);
    return {box.button(QMessageBox::Yes)->text(), box.button(QMessageBox::No)->text()};
}

QStringList ContextMenuTexts() {
    QLineEdit edit(QStringLiteral("1+2"));
    const std::unique_ptr<QMenu> menu(edit.createStandardContextMenu());
    QStringList texts;
    for (const QAction* action : menu->actions()) {
        // After the tab come the key caps (Ctrl+Z), named so on a Japanese desktop too.
        if (!action->isSeparator()) texts << action->text().section(u'\t', 0, 0);
    }
    return texts;
}

}  // namespace

class QtTranslationsTest : public QObject {
    Q_OBJECT

private slots:
    // In this order: a missing translation first, since an installed one stays for the run.
    void missingTranslationKeepsEnglish();
    void everyQtTextIsJapanese();
    void fileDialogColumnsHoldTheirTexts();
};

void QtTranslationsTest::missingTranslationKeepsEnglish() {
    QTemporaryDir empty;
    QVERIFY(!InstallJapaneseQtTexts(*qApp, empty.path()));
    QCOMPARE(YesNoTexts(), QStringList({QStringLiteral("&Yes"), QStringLiteral("&No")}));
}

void QtTranslationsTest::everyQtTextIsJapanese() {
    QVERIFY(InstallJapaneseQtTexts(*qApp));
    QCOMPARE(QLocale().language(), QLocale::Japanese);
    QVERIFY(YesNoTexts().first().startsWith(QStringLiteral("はい")));
    QVERIFY(YesNoTexts().last().startsWith(QStringLiteral("いいえ")));
    const struct {
        const char* what;
        QStringList texts;
    } kCases[] = {
        {"open dialog", FileDialogTexts(QFileDialog::AcceptOpen)},
        {"save dialog", FileDialogTexts(QFileDialog::AcceptSave)},
        {"yes/no question", YesNoTexts()},
        {"context menu", ContextMenuTexts()},
    };
    for (const auto& c : kCases) {
        QVERIFY2(c.texts.size() >= 2, c.what);
        QVERIFY2(EnglishWords(c.texts).isEmpty(),
                 qPrintable(QStringLiteral("%1: %2").arg(QLatin1String(c.what),
                                                         EnglishWords(c.texts).join(u' '))));
    }
}

void QtTranslationsTest::fileDialogColumnsHoldTheirTexts() {
    // The type and date columns are sized for English texts; a folder's Japanese type and the
    // widest Japanese date must not be cut. (A file's type is its MIME description, of any
    // length.)
    QVERIFY(InstallJapaneseQtTexts(*qApp));
    ListedFolder listed;
    QFileDialog dialog;
    WidenTypeAndDateColumns(dialog);
    const QTreeView* list = ShowListing(dialog, listed);
    QVERIFY(list);
    QString folderType;
    for (int row = 0; row < 2; ++row) {
        const QString type = list->model()->index(row, 2, list->rootIndex()).data().toString();
        if (type.startsWith(QStringLiteral("フォルダ"))) folderType = type;
    }
    QVERIFY(!folderType.isEmpty());
    const QString widestDate =
        QLocale().toString(QDateTime(QDate(2000, 12, 28), QTime(23, 59)), QLocale::ShortFormat);
    // The view leaves a margin on both sides of a cell's text.
    const int margins = 2 * (list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 1);
    const QFontMetrics metrics(list->font());
    const struct {
        QString text;
        int column;
    } kCells[] = {{folderType, 2}, {widestDate, 3}};
    for (const auto& cell : kCells) {
        QVERIFY2(metrics.horizontalAdvance(cell.text) + margins <=
                     list->header()->sectionSize(cell.column),
                 qPrintable(cell.text));
    }
}

int main(int argc, char** argv) {
    // The file dialogs keep their column sizes in Qt's settings: the user's must not count.
    const QTemporaryDir settings;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(settings.path()));
    UseJapaneseSystemLocale();
    QApplication application(argc, argv);
    QtTranslationsTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_qt_translations.moc"
