#include "ui/window_placement.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <vector>

#include "platform/window_geometry.h"

namespace {

ScreenRect ToScreenRect(const QRect& rect) {
    return {rect.x(), rect.y(), rect.width(), rect.height()};
}

QMargins FrameMargins(const QWidget* window) {
    const QWindow* handle = window ? window->windowHandle() : nullptr;
    return handle ? handle->frameMargins() : QMargins();
}

// Until the window manager has framed it, a framed window is taken to get mainWindow's frame.
QMargins ExpectedFrameMargins(const QWidget* window, const QWidget* mainWindow) {
    const QMargins own = FrameMargins(window);
    if (!own.isNull() || window->windowFlags().testFlag(Qt::FramelessWindowHint)) return own;
    return FrameMargins(mainWindow);
}

ScreenRect AvailableArea(const QWidget* mainWindow) {
    const QScreen* screen = mainWindow ? mainWindow->screen() : QGuiApplication::primaryScreen();
    return screen ? ToScreenRect(screen->availableGeometry()) : ScreenRect{};
}

// Where a window placed for mainWindow is sure to be seen: the available area of its screen.
// Where window positions are unknown, only the main window's own area is known to be on it.
ScreenRect VisibleArea(const QWidget* mainWindow) {
    if (mainWindow && !WindowPositionsAvailable()) return ToScreenRect(mainWindow->geometry());
    return AvailableArea(mainWindow);
}

// Places the client area inside the frame at frame's position. The client's own position is
// set, as the window system knows the frame only once the window is framed.
void PlaceFrame(QWidget* window, const ScreenRect& frame, const QMargins& margins) {
    window->setGeometry(frame.left + margins.left(), frame.top + margins.top(), window->width(),
                        window->height());
}

// Fits a restored window to its screen once the window manager has framed it, when the size
// of the frame is known: a frame larger than the screen is reduced to it, and a window that
// was brought onto the screen is put wholly on it.
class FitWhenFramed : public QObject {
public:
    FitWhenFramed(QWidget* window, bool wholly)
        : QObject(window), window_(window), wholly_(wholly) {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        // The first paint follows the first exposure, which follows the framing.
        if (watched == window_ && event->type() == QEvent::Paint) {
            window_->removeEventFilter(this);
            FitFrame();
            deleteLater();
        }
        return false;
    }

private:
    void FitFrame() {
        const QMargins margins = FrameMargins(window_);
        const ScreenRect frame =
            ToScreenRect(QRect(window_->pos(), window_->size().grownBy(margins)));
        const ScreenRect area = AvailableArea(window_);
        const bool larger = frame.width > area.width || frame.height > area.height;
        if (!larger && !wholly_) return;
        const ScreenRect placed = FitInside(frame, area);
        window_->resize(window_->width() - (frame.width - placed.width),
                        window_->height() - (frame.height - placed.height));
        if (WindowPositionsAvailable()) PlaceFrame(window_, placed, margins);
    }

    QWidget* window_;
    bool wholly_;
};

}  // namespace

bool WindowPositionsAvailable() {
    // A Wayland client neither learns where its windows are nor may place them.
    return !QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

void RestoreWindowBounds(QWidget* window, int left, int top, int width, int height) {
    const QScreen* primary = QGuiApplication::primaryScreen();
    const ScreenRect saved{left, top, width, height};
    ScreenRect bounds = saved;
    if (primary && WindowPositionsAvailable()) {
        std::vector<ScreenRect> areas;
        for (const QScreen* screen : QGuiApplication::screens())
            areas.push_back(ToScreenRect(screen->availableGeometry()));
        bounds = RestoreBounds(bounds, areas, ToScreenRect(primary->availableGeometry()));
    } else if (primary) {
        const QSize area = primary->availableGeometry().size();
        bounds.width = std::min(bounds.width, area.width());
        bounds.height = std::min(bounds.height, area.height());
    }
    window->resize(bounds.width, bounds.height);
    window->move(bounds.left, bounds.top);
    new FitWhenFramed(window, bounds.left != saved.left || bounds.top != saved.top);
}

void CentreOnScreenOf(QWidget* window, const QWidget* mainWindow) {
    if (!window || !mainWindow) return;
    const QMargins margins = ExpectedFrameMargins(window, mainWindow);
    QRect frame(QPoint(), window->size().grownBy(margins));
    frame.moveCenter(mainWindow->frameGeometry().center());
    PlaceFrame(window, MoveInside(ToScreenRect(frame), VisibleArea(mainWindow)), margins);
}

void KeepOnScreenOf(QWidget* window, const QWidget* mainWindow) {
    if (!window) return;
    const QMargins margins = ExpectedFrameMargins(window, mainWindow);
    const ScreenRect frame = ToScreenRect(QRect(window->pos(), window->size().grownBy(margins)));
    const ScreenRect placed = MoveInside(frame, VisibleArea(mainWindow));
    if (placed != frame) PlaceFrame(window, placed, margins);
}

QSize ClientRoomOnScreenOf(const QWidget* window, const QWidget* mainWindow) {
    const QScreen* screen = mainWindow ? mainWindow->screen() : window->screen();
    if (!screen) screen = QGuiApplication::primaryScreen();
    if (!screen) return QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    return screen->availableGeometry().size().shrunkBy(ExpectedFrameMargins(window, mainWindow));
}
