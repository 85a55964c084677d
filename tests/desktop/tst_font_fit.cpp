// Fonts chosen from what is installed, and labels that mark a text they cut. The checks hold under
// any font set: they look at the face Qt resolves, not at which families are installed.

#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTest>

#include "desktop/elided_label.h"
#include "desktop/font_choice.h"
#include "platform/face_choice.h"

namespace {

bool PointReadsClearly(const QFont& font) {
    // Only the name counts here: Qt draws the digits from whichever face has them.
    return PointReadsClearly(
        FaceFacts{{QFontInfo(font).family().toStdString()}, false, false, true});
}

}  // namespace

class FontFitTest : public QObject {
    Q_OBJECT

private slots:
    void numbersGetAClearFace();
    void japaneseFamiliesAreInstalledOnes();
    void fontOfNoInstalledFamilyIsNamedByItsFace();
    void labelCutsANumberKeepingItsSize();
};

// Whatever the desktop's fonts, a number never takes a face whose full stop looks like a comma
// while one that draws it plainly is installed (every common font set has one).
void FontFitTest::numbersGetAClearFace() {
    const struct {
        const char* family;
        QFont::StyleHint hint;
    } rows[] = {
        {"Monospace", QFont::TypeWriter},    {"IPAGothic", QFont::SansSerif},
        {"IPAMincho", QFont::Serif},         {"DejaVu Sans", QFont::SansSerif},
        {"No Such Family", QFont::AnyStyle},
    };
    for (const auto& row : rows) {
        const QString family = QString::fromLatin1(row.family);
        QFont font(family);
        font.setStyleHint(row.hint);
        font.setPixelSize(12);
        QFont grid(GridFamily(font));
        grid.setPixelSize(12);
        QVERIFY2(PointReadsClearly(grid),
                 qPrintable(family + QStringLiteral(" -> ") + QFontInfo(grid).family()));
        QLineEdit text;
        text.setFont(font);
        UseNumberFace(&text);
        QVERIFY2(PointReadsClearly(text.font()),
                 qPrintable(family + QStringLiteral(" -> ") + QFontInfo(text.font()).family()));
        QCOMPARE(text.font().pixelSize(), 12);
    }
}

// A family named as a preference serves only when installed; any Japanese family follows.
void FontFitTest::japaneseFamiliesAreInstalledOnes() {
    const QStringList installed = QFontDatabase::families(QFontDatabase::Japanese);
    const QString last = installed.isEmpty() ? QStringLiteral("IPAPGothic") : installed.last();
    const QStringList families = JapaneseFamilies({QStringLiteral("No Such Gothic"), last});
    QCOMPARE(families.size(), installed.size());
    if (!installed.isEmpty()) QCOMPARE(families.first(), last);
}

// Qt's "Sans Serif", no installed family, is named by the face Qt draws it in; that name stays.
void FontFitTest::fontOfNoInstalledFamilyIsNamedByItsFace() {
    const QFont general(QStringLiteral("Sans Serif"));
    const QFont named = NamedByItsFace(general);
    QVERIFY(named.family() != general.family());
    QCOMPARE(QFontInfo(named).family(), QFontInfo(general).family());
    QCOMPARE(NamedByItsFace(named).family(), named.family());
}

// A sum the status bar's panel cannot hold keeps its exponent, or shows no digit at all.
void FontFitTest::labelCutsANumberKeepingItsSize() {
    const QString sum = QStringLiteral(" Sum 6.4277521770E+60");
    for (const int points : {9, 16}) {
        ElidedLabel label(QStringLiteral(" Avg. -1.2345678901E+4931 "));
        QFont font = label.font();
        font.setPointSize(points);
        label.setFont(font);
        QVERIFY(PointReadsClearly(label.font()));
        label.setText(sum);
        label.resize(label.sizeHint());
        QCOMPARE(label.ShownText(), sum);
        const QMargins margins = label.contentsMargins();
        label.resize(label.fontMetrics().horizontalAdvance(QStringLiteral(" Sum 6.42…E+60")) +
                         margins.left() + margins.right(),
                     label.height());
        QCOMPARE(label.ShownText(), QStringLiteral(" Sum 6.42…E+60"));
        label.resize(label.minimumSizeHint());
        QVERIFY2(!label.ShownText().contains(QRegularExpression(QStringLiteral("[0-9]"))),
                 qPrintable(label.ShownText()));
    }
}

QTEST_MAIN(FontFitTest)
#include "tst_font_fit.moc"
