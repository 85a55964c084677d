#include <QImage>
#include <QTest>

#include "ui/digit_display.h"

namespace {

using Glyphs = QList<int>;  // glyph numbers from IM00 leftwards; positions beyond are empty
using Lefts = QList<int>;   // lefts of the shown comma dots, IMc1 first; the others hidden

constexpr int kPoint = 16, kPlus = 17, kMinus = 18;

bool IsPanel(QRgb pixel) {
    return QColor(pixel) == DigitDisplay::PanelColor();
}

// Bright, yellow-dominant pixels are lit segments; unlit segments are far darker.
bool IsLit(QRgb pixel) {
    return qRed(pixel) > 200 && qGreen(pixel) > 150 && qBlue(pixel) < 120;
}

int LitPixels(const QImage& image, const QRect& area) {
    int lit = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x)
            lit += IsLit(image.pixel(x, y));
    }
    return lit;
}

}  // namespace

class DigitDisplayTest : public QObject {
    Q_OBJECT

private slots:
    void showDigits_data();
    void showDigits();
    void layoutOfPositionsAndDots();
    void glyphPicturesDiffer();
    void paintsGlyphsAndDots();
    void blankDisplayPaintsOnlyThePanel();
};

void DigitDisplayTest::showDigits_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("failed");
    QTest::addColumn<Glyphs>("glyphs");
    QTest::addColumn<Lefts>("dots");
    const struct {
        const char* dataTag;
        const char* text;
        bool failed;
        Glyphs glyphs;
        Lefts dots;
    } rows[] = {
        {"grouped with a point", "1,234.5", false, Glyphs{5, kPoint, 4, 3, 2, 1}, Lefts{158}},
        {"negative grouped", "-1,234.5", false, Glyphs{5, kPoint, 4, 3, 2, 1, kMinus}, Lefts{158}},
        {"minus sign", "-12", false, Glyphs{2, 1, kMinus}, Lefts{}},
        {"hexadecimal", "FF", false, Glyphs{15, 15}, Lefts{}},
        {"all hexadecimal letters", "ABCDEF", false, Glyphs{15, 14, 13, 12, 11, 10}, Lefts{}},
        {"exponent", "1.5E+20", false, Glyphs{0, 2, kPlus, 14, 5, kPoint, 1}, Lefts{}},
        {"negative exponent", "-2.5E-10", false, Glyphs{0, 1, kMinus, 14, 5, kPoint, 2, kMinus},
         Lefts{}},
        {"empty", "", false, Glyphs{}, Lefts{}},
        {"failed", "1,234", true, Glyphs{}, Lefts{}},
        {"failed with an error text", "ゼロで除算", true, Glyphs{}, Lefts{}},
        {"20 digits keep the rightmost 16", "12345678901234567890", false,
         Glyphs{0, 9, 8, 7, 6, 5, 4, 3, 2, 1, 0, 9, 8, 7, 6, 5}, Lefts{}},
        {"exactly 16 digits with commas", "1,234,567,890,123,456", false,
         Glyphs{6, 5, 4, 3, 2, 1, 0, 9, 8, 7, 6, 5, 4, 3, 2, 1}, Lefts{186, 144, 102, 60, 18}},
        {"comma left of the sixteenth glyph", "1,2345678901234567", false,
         Glyphs{7, 6, 5, 4, 3, 2, 1, 0, 9, 8, 7, 6, 5, 4, 3, 2}, Lefts{4}},
        {"comma left of a glyph beyond the display", "12,345678901234567890", false,
         Glyphs{0, 9, 8, 7, 6, 5, 4, 3, 2, 1, 0, 9, 8, 7, 6, 5}, Lefts{}},
        {"six commas show five dots", "1,2,3,4,5,6,7", false, Glyphs{7, 6, 5, 4, 3, 2, 1},
         Lefts{214, 200, 186, 172, 158}},
        {"four-digit grouping", "12,3456,7890", false, Glyphs{0, 9, 8, 7, 6, 5, 4, 3, 2, 1},
         Lefts{172, 116}},
        {"trailing comma not shown", "12,", false, Glyphs{2, 1}, Lefts{}},
        {"leading comma", ",5", false, Glyphs{5}, Lefts{214}},
        {"unknown character keeps its position", "1 2", false, Glyphs{2, -1, 1}, Lefts{}},
        {"lower-case letters have no glyph", "ff", false, Glyphs{-1, -1}, Lefts{}},
    };
    for (const auto& row : rows)
        QTest::newRow(row.dataTag) << row.text << row.failed << row.glyphs << row.dots;
}

void DigitDisplayTest::showDigits() {
    QFETCH(QString, text);
    QFETCH(bool, failed);
    QFETCH(Glyphs, glyphs);
    QFETCH(Lefts, dots);

    // Every call rebuilds the display: a full one before must leave no trace.
    DigitDisplay display;
    display.ShowDigits(QStringLiteral("8,888,888,888,888,888"), false);
    display.ShowDigits(text, failed);

    for (int p = 0; p < DigitDisplay::kPositions; ++p) {
        const int expected = p < glyphs.size() ? glyphs[p] : -1;
        QVERIFY2(display.GlyphAt(p) == expected,
                 qPrintable(QStringLiteral("IM%1 shows %2, expected %3")
                                .arg(p, 2, 10, QLatin1Char('0'))
                                .arg(display.GlyphAt(p))
                                .arg(expected)));
    }
    for (int k = 0; k < DigitDisplay::kDots; ++k) {
        QCOMPARE(display.DotVisible(k), k < dots.size());
        if (k < dots.size()) QCOMPARE(display.DotLeft(k), dots[k]);
    }
}

void DigitDisplayTest::layoutOfPositionsAndDots() {
    QCOMPARE(DigitDisplay::GlyphRect(0), QRect(218, 8, 14, 16));
    QCOMPARE(DigitDisplay::GlyphRect(1), QRect(204, 8, 14, 16));
    QCOMPARE(DigitDisplay::GlyphRect(15), QRect(8, 8, 14, 16));
    const int initial[] = {214, 166, 118, 70, 22};
    DigitDisplay display;
    for (int k = 0; k < DigitDisplay::kDots; ++k) {
        QCOMPARE(display.DotLeft(k), initial[k]);
        QVERIFY(!display.DotVisible(k));
    }
    for (int p = 0; p < DigitDisplay::kPositions; ++p)
        QCOMPARE(display.GlyphAt(p), -1);
    QCOMPARE(DigitDisplay::PanelColor(), QColor(0x31, 0x31, 0x31));
}

void DigitDisplayTest::glyphPicturesDiffer() {
    const std::vector<QPixmap>& glyphs = DigitDisplay::Glyphs();
    QCOMPARE(glyphs.size(), size_t(19));
    QList<QImage> images;
    for (const QPixmap& glyph : glyphs) {
        QCOMPARE(glyph.size(), QSize(14, 16));
        images << glyph.toImage();
        QVERIFY(LitPixels(images.last(), images.last().rect()) > 0);
    }
    for (int i = 0; i < images.size(); ++i) {
        for (int j = i + 1; j < images.size(); ++j) {
            QVERIFY2(images[i] != images[j], qPrintable(QStringLiteral("glyphs %1 and %2 are alike")
                                                            .arg(DigitDisplay::kGlyphChars[i])
                                                            .arg(DigitDisplay::kGlyphChars[j])));
        }
    }
    // The right columns stay free for a comma dot of the position to the right.
    for (const QImage& image : images)
        QCOMPARE(LitPixels(image, QRect(11, 0, 3, 16)), 0);
    QCOMPARE(DigitDisplay::DotPicture().size(), QSize(3, 3));
}

void DigitDisplayTest::paintsGlyphsAndDots() {
    DigitDisplay display;
    display.resize(display.sizeHint());
    display.ShowDigits(QStringLiteral("8,8"), false);
    const QImage image = display.grab().toImage();
    QVERIFY(LitPixels(image, DigitDisplay::GlyphRect(0)) > 20);
    QVERIFY(LitPixels(image, DigitDisplay::GlyphRect(1)) > 20);
    QCOMPARE(LitPixels(image, DigitDisplay::GlyphRect(2)), 0);
    QVERIFY(LitPixels(image, QRect(display.DotLeft(0), DigitDisplay::DotTop(), 3, 3)) >= 4);
    // The hidden dots stay where they were and draw nothing.
    QCOMPARE(LitPixels(image, QRect(DigitDisplay::InitialDotLeft(1), 23, 3, 3)), 0);
}

void DigitDisplayTest::blankDisplayPaintsOnlyThePanel() {
    DigitDisplay display;
    display.resize(display.sizeHint());
    display.ShowDigits(QStringLiteral("-8,888.8"), false);
    QVERIFY(LitPixels(display.grab().toImage(), display.rect()) > 0);
    display.ShowDigits(QStringLiteral("-8,888.8"), true);
    const QImage image = display.grab().toImage();
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            QVERIFY2(IsPanel(image.pixel(x, y)),
                     qPrintable(QStringLiteral("(%1, %2)").arg(x).arg(y)));
        }
    }
}

QTEST_MAIN(DigitDisplayTest)
#include "tst_digit_display.moc"
