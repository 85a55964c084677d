// At 200% the program's own pictures are drawn for the screen, not drawn at 100% and doubled:
// the splash logo, the version window's icon and the digit display's glyphs.

#include <QApplication>
#include <QLabel>
#include <QTest>

#include "settings/execute_parameter.h"
#include "tests/ui/window_parts.h"
#include "ui/digit_display.h"
#include "ui/tfmlogo.h"
#include "ui/tfmver.h"

namespace {

// Blocks of 2 x 2 device pixels whose pixels are not all alike. A picture drawn at half the
// resolution and doubled has none.
int MixedBlocks(const QImage& image) {
    int mixed = 0;
    for (int y = 0; y + 1 < image.height(); y += 2) {
        for (int x = 0; x + 1 < image.width(); x += 2) {
            const QRgb corner = image.pixel(x, y);
            mixed += image.pixel(x + 1, y) != corner || image.pixel(x, y + 1) != corner ||
                     image.pixel(x + 1, y + 1) != corner;
        }
    }
    return mixed;
}

}  // namespace

class SharpPicturesTest : public QObject {
    Q_OBJECT

private slots:
    void picturesAreDrawnForTheScreen();
};

void SharpPicturesTest::picturesAreDrawnForTheScreen() {
    const ExecuteParameter settings;
    TFMlogo splash(settings);
    TFMver version(settings);
    DigitDisplay digits;
    digits.ShowDigits(QStringLiteral("-8,888.8"), false);
    for (QWidget* window : std::initializer_list<QWidget*>{&splash, &version, &digits}) {
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
    }
    // A label smooths a picture of another resolution itself: its own picture is looked at.
    for (const auto& [name, image] :
         {std::pair{"splash logo", FindPart<QLabel>(&splash, "IMlogo")->pixmap().toImage()},
          {"version window icon", FindPart<QLabel>(&version, "IMicon")->pixmap().toImage()},
          {"digit display", digits.grab().toImage()}}) {
        QVERIFY2(image.devicePixelRatio() == 2.0, name);
        QVERIFY2(MixedBlocks(image) > 0, name);
    }
}

int main(int argc, char** argv) {
    qputenv("QT_SCALE_FACTOR", "2");
    QApplication application(argc, argv);
    SharpPicturesTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_sharp_pictures.moc"
