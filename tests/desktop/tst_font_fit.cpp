// Fonts chosen from what is installed, and labels that mark a text they cut.

#include <QApplication>
#include <QTest>

#include "desktop/elided_label.h"
#include "desktop/font_choice.h"

class FontFitTest : public QObject {
    Q_OBJECT

private slots:
    void gridFamilyIsFixedPitch();
    void japaneseFamiliesAreInstalledOnes();
    void labelMarksTheTextItCuts();
};

// A proportional desktop font (qt6ct's default fixed font is one) is replaced, and so is a
// Japanese face whose full stop looks like a comma while a clearer one is installed.
void FontFitTest::gridFamilyIsFixedPitch() {
    // DejaVu Sans Mono comes with the fonts the setup script installs.
    for (const char* family : {"DejaVu Sans", "No Such Family", "IPAGothic", "DejaVu Sans Mono"}) {
        QFont font{QString::fromLatin1(family)};
        font.setPixelSize(12);
        font.setBold(true);
        QFont chosen{FixedPitchFamily(font)};
        QCOMPARE(chosen.family(), QStringLiteral("DejaVu Sans Mono"));
        chosen.setPixelSize(12);
        chosen.setBold(true);
        const QFontMetrics metrics(chosen);
        for (QChar c : QStringLiteral("0123456789+-.,E"))
            QCOMPARE(metrics.horizontalAdvance(c), metrics.horizontalAdvance(u' '));
    }
}

// A family named as a preference serves only when installed; any Japanese family follows.
void FontFitTest::japaneseFamiliesAreInstalledOnes() {
    const QStringList families =
        JapaneseFamilies({QStringLiteral("No Such Gothic"), QStringLiteral("IPAPGothic")});
    QCOMPARE(families.first(), QStringLiteral("IPAPGothic"));
    QVERIFY(!families.contains(QStringLiteral("No Such Gothic")));
}

// A sum the status bar's panel cannot hold ends in "…" in place of its exponent.
void FontFitTest::labelMarksTheTextItCuts() {
    const QString sum = QStringLiteral(" Sum 1.6069380442E+60");
    for (const int points : {9, 16}) {
        ElidedLabel label(QStringLiteral(" Avg. -1.2345678901E+4931 "));
        QFont font = label.font();
        font.setPointSize(points);
        label.setFont(font);
        label.setText(sum);
        label.resize(label.sizeHint());
        QCOMPARE(label.ShownText(), sum);
        label.resize(label.minimumSizeHint());
        QVERIFY(label.ShownText().endsWith(u'…'));
        QVERIFY(sum.startsWith(label.ShownText().chopped(1)));
    }
}

QTEST_MAIN(FontFitTest)
#include "tst_font_fit.moc"
