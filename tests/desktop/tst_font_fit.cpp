// Fonts chosen from what is installed, and labels that mark a text they cut.

#include <QApplication>
#include <QRegularExpression>
#include <QTest>

#include "desktop/elided_label.h"
#include "desktop/font_choice.h"

class FontFitTest : public QObject {
    Q_OBJECT

private slots:
    void gridFamilyIsFixedPitch();
    void japaneseFamiliesAreInstalledOnes();
    void labelCutsANumberKeepingItsSize();
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

// A sum the status bar's panel cannot hold keeps its exponent, or shows no digit at all.
void FontFitTest::labelCutsANumberKeepingItsSize() {
    const QString sum = QStringLiteral(" Sum 6.4277521770E+60");
    for (const int points : {9, 16}) {
        ElidedLabel label(QStringLiteral(" Avg. -1.2345678901E+4931 "));
        QFont font = label.font();
        font.setPointSize(points);
        label.setFont(font);
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
