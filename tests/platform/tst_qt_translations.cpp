// Qt's own texts in Japanese: message-box buttons, the file dialogs and the input line's
// context menu show no English word once the translation is installed.

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>
#include <memory>

#include "platform/desktop/qt_translations.h"

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

// The dialog's labels and buttons, and the type, size and date of a folder and a file in its
// list (the names are the user's own).
QStringList FileDialogTexts(QFileDialog::AcceptMode mode) {
    QTemporaryDir folder;
    QDir(folder.path()).mkdir(QStringLiteral("sub"));
    QFile file(folder.filePath(QStringLiteral("note.txt")));
    if (!file.open(QIODevice::WriteOnly) || file.write("1234") != 4) return {};
    file.close();
    QFileDialog dialog(nullptr, QString(), folder.path());
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(mode);
    dialog.setNameFilter(QStringLiteral("*"));
    dialog.setViewMode(QFileDialog::Detail);
    dialog.show();
    QStringList texts = VisibleTexts(dialog);
    const auto* list = dialog.findChild<QTreeView*>(QStringLiteral("treeView"));
    const QAbstractItemModel* model = list ? list->model() : nullptr;
    if (!model || !QTest::qWaitFor([&] { return model->rowCount(list->rootIndex()) == 2; }))
        return {};
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

int main(int argc, char** argv) {
    UseJapaneseSystemLocale();
    QApplication application(argc, argv);
    QtTranslationsTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_qt_translations.moc"
