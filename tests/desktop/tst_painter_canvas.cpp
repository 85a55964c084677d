// The painting stand-ins the grid draws through: colour values to Qt colours, and the canvas's
// lines and text.

#include <QImage>
#include <QPainter>
#include <QtTest>
#include <algorithm>
#include <cstdlib>

#include "desktop/colors.h"
#include "desktop/painter_canvas.h"

class PainterCanvasTest : public QObject {
    Q_OBJECT

private slots:
    void colourConversion_data();
    void colourConversion();
    void lineToLeavesEndPoint_data();
    void lineToLeavesEndPoint();
    void textOutFillsItsExtent();
    void textMeasuresOutsidePainting();
};

void PainterCanvasTest::colourConversion_data() {
    QTest::addColumn<uint>("color");
    QTest::addColumn<QColor>("expected");
    const struct {
        const char* dataTag;
        uint color;
        QColor expected;
    } rows[] = {
        {"red in the low byte", 0x00CEFFu, QColor(255, 206, 0)},
        {"grey", 0x313131u, QColor(49, 49, 49)},
        {"blue in the high byte", 0xFFE0E0u, QColor(224, 224, 255)},
        {"window background", 0x80000005u, QColor(1, 2, 3)},
        {"window text", 0x80000008u, QColor(4, 5, 6)},
        {"button face", 0x8000000Fu, QColor(7, 8, 9)},
        {"unknown system colour", 0x80000063u, QColor(0, 0, 0)},
    };
    for (const auto& row : rows)
        QTest::newRow(row.dataTag) << row.color << row.expected;
}

void PainterCanvasTest::colourConversion() {
    QFETCH(uint, color);
    QFETCH(QColor, expected);
    QPalette palette;
    palette.setColor(QPalette::Base, QColor(1, 2, 3));
    palette.setColor(QPalette::Text, QColor(4, 5, 6));
    palette.setColor(QPalette::Button, QColor(7, 8, 9));
    QCOMPARE(ToQColor(color, palette), expected);
}

void PainterCanvasTest::lineToLeavesEndPoint_data() {
    QTest::addColumn<QPoint>("from");
    QTest::addColumn<QPoint>("to");
    const struct {
        const char* dataTag;
        QPoint from;
        QPoint to;
    } rows[] = {
        {"rightward", QPoint(2, 5), QPoint(8, 5)},   {"leftward", QPoint(12, 3), QPoint(4, 3)},
        {"downward", QPoint(6, 1), QPoint(6, 9)},    {"upward", QPoint(9, 14), QPoint(9, 4)},
        {"diagonal", QPoint(1, 1), QPoint(6, 6)},    {"steep", QPoint(10, 2), QPoint(8, 13)},
        {"single step", QPoint(3, 3), QPoint(4, 3)}, {"no length", QPoint(5, 5), QPoint(5, 5)},
    };
    for (const auto& row : rows)
        QTest::newRow(row.dataTag) << row.from << row.to;
}

void PainterCanvasTest::lineToLeavesEndPoint() {
    QFETCH(QPoint, from);
    QFETCH(QPoint, to);
    QImage image(16, 16, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    PainterCanvas canvas{QPalette()};
    canvas.Begin(&painter);
    canvas.SetPenColor(0x0000FF);
    canvas.MoveTo(from.x(), from.y());
    canvas.LineTo(to.x(), to.y());
    canvas.End();
    painter.end();

    const QRgb red = qRgb(255, 0, 0);
    int painted = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            painted += image.pixel(x, y) == red;
    }
    const int length = std::max(std::abs(to.x() - from.x()), std::abs(to.y() - from.y()));
    QCOMPARE(painted, length);
    QVERIFY(image.pixel(to) != red);
    if (length > 0) QCOMPARE(image.pixel(from), red);
}

void PainterCanvasTest::textOutFillsItsExtent() {
    QImage image(80, 40, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    PainterCanvas canvas{QPalette()};
    // Regular weight: a face without a bold one is emboldened by Qt, whose ink may pass the
    // advance by a pixel.
    canvas.SetFont(GridFont{"", 16, false, 0x000000});
    const int width = canvas.TextWidth("W8");
    const int height = canvas.TextHeight("W8");
    canvas.Begin(&painter);
    canvas.SetBrushColor(0x0000FF);
    canvas.SetFontColor(0x000000);
    canvas.TextOut(10, 7, "W8");
    canvas.End();
    painter.end();

    int textPixels = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const bool inside = x >= 10 && x < 10 + width && y >= 7 && y < 7 + height;
            const QColor pixel = image.pixelColor(x, y);
            if (!inside) {
                QVERIFY2(pixel == Qt::white, qPrintable(QString("x %1 y %2").arg(x).arg(y)));
            } else if (pixel != Qt::red) {
                ++textPixels;
                QVERIFY(pixel.green() == pixel.blue() && pixel.red() >= pixel.green());
            }
        }
    }
    QVERIFY(textPixels > 10);
}

void PainterCanvasTest::textMeasuresOutsidePainting() {
    PainterCanvas canvas{QPalette()};
    canvas.SetFont(GridFont{"", 12, false, 0x80000008});
    const int small = canvas.TextHeight(" ");
    const int narrow = canvas.TextWidth("MMMM");
    canvas.SetFont(GridFont{"", 24, true, 0x80000008});
    QVERIFY(small > 0);
    QVERIFY(canvas.TextHeight(" ") > small);
    QVERIFY(canvas.TextWidth("MMMM") > narrow);
    QCOMPARE(canvas.TextWidth(""), 0);
    QVERIFY(canvas.TextWidth("MMMM") > canvas.TextWidth("MM"));
}

QTEST_MAIN(PainterCanvasTest)
#include "tst_painter_canvas.moc"
