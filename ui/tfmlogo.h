#pragma once
// The splash window: the logo for a second at start-up, which then applies the stay-on-top
// setting to the main window and hides itself.

#include <QWidget>

class ExecuteParameter;
class QLabel;
class QTimer;

class TFMlogo : public QWidget {
    Q_OBJECT

public:
    // mainWindow: the window centred under the splash and given the stay-on-top setting of
    // settings.
    explicit TFMlogo(const ExecuteParameter& settings, QWidget* mainWindow = nullptr);

    void setVisible(bool visible) override;

signals:
    // The splash has shown its second, given the main window its stay-on-top setting and
    // hidden itself.
    void finished();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormShow();
    void TMtimerTimer();
    void PlaceOverMainWindow();

    const ExecuteParameter& settings_;
    QWidget* mainWindow_ = nullptr;

    QLabel* IMlogo = nullptr;
    QTimer* TMtimer = nullptr;  // 1000 ms, stopped until the splash is shown
};
