#include "ui/tfmlogo.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QShowEvent>
#include <QTimer>

#include "desktop/window_layer.h"
#include "settings/execute_parameter.h"
#include "ui/logo.h"
#include "ui/window_placement.h"

namespace {

// A window of the main window. Where the program cannot place windows, a compositor places a
// pop-up relative to its parent (a top-level window wherever it likes): the splash is a
// pop-up that takes no input there.
Qt::WindowFlags SplashFlags() {
    return (WindowPositionsAvailable() ? Qt::Window : Qt::ToolTip) | Qt::FramelessWindowHint;
}

}  // namespace

TFMlogo::TFMlogo(const ExecuteParameter& settings, QWidget* mainWindow)
    : QWidget(mainWindow, SplashFlags()), settings_(settings), mainWindow_(mainWindow) {
    setObjectName(QStringLiteral("TFMlogo"));
    setWindowTitle(QStringLiteral("Tessarin"));
    setFixedSize(300, 150);
    IMlogo = new QLabel(this);
    IMlogo->setObjectName(QStringLiteral("IMlogo"));
    IMlogo->setGeometry(0, 0, 300, 150);
    TMtimer = new QTimer(this);
    TMtimer->setObjectName(QStringLiteral("TMtimer"));
    TMtimer->setInterval(1000);
    connect(TMtimer, &QTimer::timeout, this, &TFMlogo::TMtimerTimer);
}

void TFMlogo::setVisible(bool visible) {
    // The layer and place are set before the window appears, so that it is mapped only once.
    if (visible && !isVisible()) {
        // The logo is drawn only for a splash that is shown: most starts show none.
        if (IMlogo->pixmap().isNull()) IMlogo->setPixmap(TessarinLogo(devicePixelRatioF()));
        ApplyStayOnTop(this, true);
        PlaceOverMainWindow();
    }
    QWidget::setVisible(visible);
}

void TFMlogo::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!event->spontaneous()) FormShow();
}

void TFMlogo::FormShow() {
    ApplyStayOnTop(this, true);
    TMtimer->start();
}

void TFMlogo::TMtimerTimer() {
    TMtimer->stop();
    if (mainWindow_) ApplyStayOnTop(mainWindow_, settings_.TMOST != 0);
    hide();
    emit finished();
}

void TFMlogo::PlaceOverMainWindow() {
    QRect area;
    if (mainWindow_) {
        area = mainWindow_->frameGeometry();
        // Where the compositor places the windows, a pop-up's position counts from its parent's
        // client area, whose own position is unknown.
        if (!WindowPositionsAvailable()) area.translate(-mainWindow_->geometry().topLeft());
    } else if (QScreen* screen = QGuiApplication::primaryScreen()) {
        area = screen->availableGeometry();
    }
    if (area.isValid()) move(area.center() - rect().center());
    if (WindowPositionsAvailable()) KeepOnScreenOf(this, mainWindow_);
}
