// A whole session as a user has it, on whatever desktop the test runs on (offscreen, and under a
// Wayland compositor in the test command): start, type, confirm the settings dialog, open the
// keypad, end. The saved position survives a desktop that does not report it.

#include <QApplication>
#include <QCheckBox>
#include <QGuiApplication>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <fstream>

#include "tests/app/program_driver.h"
#include "tests/support/temp_folder.h"
#include "ui/tfmpad.h"
#include "ui/tfmsetup.h"

class DesktopSessionTest : public QObject {
    Q_OBJECT

private slots:
    void sessionKeepsSavedPosition();
};

void DesktopSessionTest::sessionKeepsSavedPosition() {
    TempFolder folder;
    setenv("TESSARIN_DATA_DIR", folder.Path().c_str(), 1);
    std::ofstream(folder.Path() / "TSRN.sts", std::ios::binary)
        << "LEFT     =80\r\nTOP      =90\r\nWIDTH    =600\r\nHEIGHT   =400\r\n"
           "TMOST    =1\r\nFLASH    =1\r\n";
    bool wayland = false;
    QString result;
    bool stayOnTopOffered = false;
    bool stayOnTopKept = false;
    bool keypadShown = false;
    drive = [&] {
        TFMmain* window = MainWindow();
        QVERIFY(window);
        wayland = QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
        QTest::keyClicks(FindInput(window), QStringLiteral("6*7"));
        result = FindDigits(window)->accessibleName();
        QTimer::singleShot(0, [&] {
            auto* setup = qobject_cast<TFMsetup*>(QApplication::activeModalWidget());
            if (!setup) return;
            const QCheckBox* stayOnTop = FindPart<QCheckBox>(setup, "CHtmost");
            stayOnTopOffered = stayOnTop->isEnabled() && stayOnTop->toolTip().isEmpty();
            stayOnTopKept = stayOnTop->isChecked();
            FindPart<QPushButton>(setup, "BTok")->click();
        });
        FindAction(window, "MMviewsetup")->trigger();
        QTest::keyClick(FindInput(window), Qt::Key_Escape);
        TFMpad* keypad = RunWindow<TFMpad>();
        keypadShown = keypad && keypad->isVisible();
        if (keypad) keypad->hide();
        window->resize(640, 410);
        QApplication::processEvents();
        window->CloseWithoutQuestion();
    };
    QCOMPARE(Run(), 0);
    unsetenv("TESSARIN_DATA_DIR");
    QCOMPARE(result, QStringLiteral("結果 42"));
    QVERIFY(keypadShown);
    // The box stays checked either way; where the desktop cannot keep a window on top, it
    // says so instead of offering it.
    QVERIFY(stayOnTopKept);
    QCOMPARE(stayOnTopOffered, !wayland);

    const std::vector<std::string> settings = Lines(folder.Path() / "TSRN.sts");
    for (const auto& [key, value] : {std::pair{"LEFT", "80"},
                                     {"TOP", "90"},
                                     {"WIDTH", "640"},
                                     {"HEIGHT", "410"},
                                     {"TMOST", "1"}})
        QCOMPARE(Setting(settings, key), std::string(value));
}

QTEST_APPLESS_MAIN(DesktopSessionTest)
#include "tst_desktop_session.moc"
