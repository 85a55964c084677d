// At 200% the program's own pictures are drawn for the screen, not drawn at 100% and doubled:
// the splash logo, the version window's icon and the digit display's glyphs.

#include <QApplication>
#include <QLabel>
#include <QTest>
#include <functional>
#include <memory>

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
            if (image.pixel(x + 1, y) != corner || image.pixel(x, y + 1) != corner ||
                image.pixel(x + 1, y + 1) != corner)
                ++mixed;
        }
    }
    return mixed;
}

// A label's picture as it holds it: a label smooths a picture of another resolution itself.
QImage LabelPicture(QWidget* label) {
    return static_cast<QLabel*>(label)->pixmap().toImage();
}

}  // namespace

class SharpPicturesTest : public QObject {
    Q_OBJECT

private slots:
    void picturesAreDrawnForTheScreen();
};

void SharpPicturesTest::picturesAreDrawnForTheScreen() {
    struct Row {
        const char* name;
        // Shows the window; then picture gives what it shows, in device pixels.
        std::function<QWidget*(std::unique_ptr<QWidget>&)> show;
        std::function<QImage(QWidget*)> picture;
    };
    const Row rows[] = {
        {"splash logo",
         [](std::unique_ptr<QWidget>& window) {
             auto* splash = new TFMlogo;
             window.reset(splash);
             splash->show();
             return static_cast<QWidget*>(splash->IMlogo);
         },
         LabelPicture},
        {"version window icon",
         [](std::unique_ptr<QWidget>& window) {
             auto* version = new TFMver(nullptr);
             window.reset(version);
             version->show();
             return static_cast<QWidget*>(version->IMicon);
         },
         LabelPicture},
        {"digit display",
         [](std::unique_ptr<QWidget>& window) {
             auto* digits = new DigitDisplay;
             window.reset(digits);
             digits->show();
             digits->ShowDigits(QStringLiteral("-8,888.8"), false);
             return static_cast<QWidget*>(digits);
         },
         [](QWidget* digits) { return digits->grab().toImage(); }},
    };
    QCOMPARE(qApp->devicePixelRatio(), 2.0);
    for (const Row& row : rows) {
        std::unique_ptr<QWidget> window;
        QWidget* shown = row.show(window);
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        const QImage image = row.picture(shown);
        QVERIFY2(image.devicePixelRatio() == 2.0, row.name);
        QVERIFY2(MixedBlocks(image) > 0, row.name);
    }
}

int main(int argc, char** argv) {
    qputenv("QT_SCALE_FACTOR", "2");
    QApplication application(argc, argv);
    SharpPicturesTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_sharp_pictures.moc"
