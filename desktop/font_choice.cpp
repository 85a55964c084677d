#include "desktop/font_choice.h"

#include <QFontDatabase>
#include <QFontInfo>

namespace {

// Fixed-pitch faces whose full stop and comma are told apart at 12 pixels.
const QStringList kClearMonospaceFamilies = {
    QStringLiteral("DejaVu Sans Mono"),
    QStringLiteral("Noto Sans Mono"),
    QStringLiteral("Liberation Mono"),
};
const QStringList kJapaneseMonospaceFamilies = {
    QStringLiteral("IPAGothic"),
    QStringLiteral("Noto Sans Mono CJK JP"),
    QStringLiteral("VL Gothic"),
    QStringLiteral("TakaoGothic"),
};

bool IsFixedPitch(const QString& family) {
    QFont font(family);
    font.setStyleHint(QFont::TypeWriter);
    const QFontInfo info(font);
    // A family that is not installed is replaced by another one; only the named one counts.
    return info.fixedPitch() && info.family().compare(family, Qt::CaseInsensitive) == 0;
}

}  // namespace

QString FixedPitchFamily(const QFont& font) {
    const QFontInfo info(font);
    // The Japanese faces draw the full stop with a tail at small sizes, like a comma.
    const bool clear = !kJapaneseMonospaceFamilies.contains(info.family(), Qt::CaseInsensitive);
    if (info.fixedPitch() && clear) return info.family();
    for (const QString& family : kClearMonospaceFamilies) {
        if (IsFixedPitch(family)) return family;
    }
    if (info.fixedPitch()) return info.family();
    const QStringList japanese = JapaneseFamilies(kJapaneseMonospaceFamilies, true);
    if (!japanese.isEmpty()) return japanese.first();
    for (const QString& family : QFontDatabase::families()) {
        if (IsFixedPitch(family)) return family;
    }
    return info.family();
}

QStringList JapaneseFamilies(const QStringList& preferred, bool fixedPitch) {
    const QStringList installed = QFontDatabase::families(QFontDatabase::Japanese);
    const auto fits = [fixedPitch](const QString& family) {
        return !fixedPitch || IsFixedPitch(family);
    };
    QStringList result;
    for (const QString& family : preferred) {
        if (installed.contains(family, Qt::CaseInsensitive) && fits(family)) result << family;
    }
    for (const QString& family : installed) {
        if (!result.contains(family, Qt::CaseInsensitive) && fits(family)) result << family;
    }
    return result;
}
