#include "desktop/qt_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <cstring>

namespace {

const QLocale kJapanese(QLocale::Japanese, QLocale::Japan);

// Texts that Qt's Japanese catalog does not translate (the type column of the file dialogs).
class MissingQtTexts : public QTranslator {
public:
    using QTranslator::QTranslator;
    bool isEmpty() const override { return false; }
    QString translate(const char* context, const char* sourceText, const char*,
                      int) const override {
        if (std::strcmp(context, "QAbstractFileIconProvider") != 0) return QString();
        struct Text {
            const char* english;
            const char* japanese;
        };
        static constexpr Text kTexts[] = {
            {"Folder", "フォルダー"},   {"Drive", "ドライブ"},   {"File", "ファイル"},
            {"%1 File", "%1 ファイル"}, {"Alias", "エイリアス"}, {"Shortcut", "ショートカット"},
        };
        for (const Text& text : kTexts) {
            if (std::strcmp(sourceText, text.english) == 0) return QString::fromUtf8(text.japanese);
        }
        return QString();
    }
};

}  // namespace

void UseJapaneseSystemLocale() {
    const QByteArray saved = qgetenv("LC_ALL");
    const bool wasSet = qEnvironmentVariableIsSet("LC_ALL");
    qputenv("LC_ALL", "ja_JP.UTF-8");
    QLocale::system();  // read now, while the environment says Japanese
    if (wasSet) {
        qputenv("LC_ALL", saved);
    } else {
        qunsetenv("LC_ALL");
    }
}

bool InstallJapaneseQtTexts(QCoreApplication& application, const QString& folder) {
    QLocale::setDefault(kJapanese);
    auto* translator = new QTranslator(&application);
    const QString from =
        folder.isEmpty() ? QLibraryInfo::path(QLibraryInfo::TranslationsPath) : folder;
    if (!translator->load(kJapanese, QStringLiteral("qtbase"), QStringLiteral("_"), from)) {
        delete translator;
        return false;
    }
    QCoreApplication::installTranslator(new MissingQtTexts(&application));
    return QCoreApplication::installTranslator(translator);
}
