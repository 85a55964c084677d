// Fonts chosen from what is installed, and labels that mark a text they cut.

#include <QApplication>
#include <QFontInfo>
#include <QTest>

#include "platform/desktop/elided_label.h"
#include "platform/desktop/font_choice.h"

class FontFitTest : public QObject {
    Q_OBJECT

private slots:
    void gridFamilyIsFixedPitch();
    void japaneseFamiliesAreInstalledOnes();
    void labelMarksTheTextItCuts();
};

// A proportional desktop font (qt6ct's default fixed font is one) is replaced.
void FontFitTest::gridFamilyIsFixedPitch() {
    for (const char* family : {"DejaVu Sans", "DejaVu Sans Mono", "No Such Family", "IPAPGothic"}) {
        QFont font{QString::fromLatin1(family)};
        font.setPixelSize(12);
        font.setBold(true);
        QFont chosen{FixedPitchFamily(font)};
        chosen.setPixelSize(12);
        chosen.setBold(true);
        QVERIFY2(QFontInfo(chosen).fixedPitch(), family);
        const QFontMetrics metrics(chosen);
        for (QChar c : QStringLiteral("0123456789+-.,E"))
            QCOMPARE(metrics.horizontalAdvance(c), metrics.horizontalAdvance(u' '));
    }
}

void FontFitTest::japaneseFamiliesAreInstalledOnes() {
    const QStringList families =
        JapaneseFamilies({QStringLiteral("No Such Gothic"), QStringLiteral("IPAPGothic")});
    QVERIFY(!families.isEmpty());
    QVERIFY(!families.contains(QStringLiteral("No Such Gothic")));
    QCOMPARE(families.first(), QStringLiteral("IPAPGothic"));
    for (const QString& family : JapaneseFamilies({}, true)) {
        QFont font(family);
        QVERIFY2(QFontInfo(font).fixedPitch(), qPrintable(family));
    }
}

void FontFitTest::labelMarksTheTextItCuts() {
    const QString sum = QStringLiteral(" Sum 1.6069380442E+60");
    struct Row {
        const char* name;
        int pointSize;
        bool narrowWindow;
        bool whole;
    };
    const Row rows[] = {
        {"default font", 0, false, true},
        {"16 points", 16, false, true},
        {"narrow window", 0, true, false},
    };
    for (const Row& r : rows) {
        ElidedLabel label(QStringLiteral(" Avg. -1.2345678901E+4931 "));
        QFont font = label.font();
        if (r.pointSize > 0) font.setPointSize(r.pointSize);
        label.setFont(font);
        label.setText(sum);
        label.resize(r.narrowWindow ? label.minimumSizeHint() : label.sizeHint());
        QCOMPARE(label.ShownText() == sum, r.whole);
        if (!r.whole) {
            QVERIFY2(label.ShownText().endsWith(u'…'), r.name);
            QVERIFY2(sum.startsWith(label.ShownText().chopped(1)), r.name);
        }
    }
}

QTEST_MAIN(FontFitTest)
#include "tst_font_fit.moc"
