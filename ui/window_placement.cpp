#include "ui/window_placement.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>
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

// Places the client area inside the frame at frame's position. The client's own position is
// set, as the window system knows the frame only once the window is framed.
void PlaceFrame(QWidget* window, const ScreenRect& frame, const QMargins& margins) {
    window->setGeometry(frame.left + margins.left(), frame.top + margins.top(), window->width(),
                        window->height());
}

// Puts a window that was brought onto the screen wholly on it once the window manager has
// framed it: before that the frame's size is not known.
class KeepOnScreenWhenFramed : public QObject {
public:
    explicit KeepOnScreenWhenFramed(QWidget* window) : QObject(window), window_(window) {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        // The first paint follows the first exposure, which follows the framing.
        if (watched == window_ && event->type() == QEvent::Paint) {
            window_->removeEventFilter(this);
            KeepOnScreenOf(window_, window_);
            deleteLater();
        }
        return false;
    }

private:
    QWidget* window_;
};

}  // namespace

void RestoreWindowBounds(QWidget* window, int left, int top, int width, int height) {
    const QScreen* primary = QGuiApplication::primaryScreen();
    const ScreenRect saved{left, top, width, height};
    ScreenRect bounds = saved;
    if (primary) {
        std::vector<ScreenRect> screens;
        for (const QScreen* screen : QGuiApplication::screens())
            screens.push_back(ToScreenRect(screen->geometry()));
        bounds = RestoreBounds(bounds, screens, ToScreenRect(primary->availableGeometry()));
    }
    window->resize(bounds.width, bounds.height);
    window->move(bounds.left, bounds.top);
    if (bounds != saved) new KeepOnScreenWhenFramed(window);
}

void CentreOnScreenOf(QWidget* window, const QWidget* mainWindow) {
    if (!window || !mainWindow) return;
    const QMargins margins = ExpectedFrameMargins(window, mainWindow);
    QRect frame(QPoint(), window->size().grownBy(margins));
    frame.moveCenter(mainWindow->frameGeometry().center());
    PlaceFrame(window, MoveInside(ToScreenRect(frame), AvailableArea(mainWindow)), margins);
}

void KeepOnScreenOf(QWidget* window, const QWidget* mainWindow) {
    if (!window) return;
    const QMargins margins = ExpectedFrameMargins(window, mainWindow);
    const ScreenRect frame = ToScreenRect(QRect(window->pos(), window->size().grownBy(margins)));
    const ScreenRect placed = MoveInside(frame, AvailableArea(mainWindow));
    if (placed != frame) PlaceFrame(window, placed, margins);
}
