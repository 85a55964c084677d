#include "platform/window_geometry.h"

#include <algorithm>

namespace {

int OverlapArea(const ScreenRect& a, const ScreenRect& b) {
    const int width = std::min(a.Right(), b.Right()) - std::max(a.left, b.left);
    const int height = std::min(a.Bottom(), b.Bottom()) - std::max(a.top, b.top);
    return width > 0 && height > 0 ? width * height : 0;
}

}  // namespace

ScreenRect MoveInside(ScreenRect window, const ScreenRect& area) {
    // The far edges first, so that the near ones win for a window larger than the area.
    window.left = std::max(std::min(window.left, area.Right() - window.width), area.left);
    window.top = std::max(std::min(window.top, area.Bottom() - window.height), area.top);
    return window;
}

ScreenRect FitInside(ScreenRect window, const ScreenRect& area) {
    window.width = std::min(window.width, area.width);
    window.height = std::min(window.height, area.height);
    return MoveInside(window, area);
}

namespace {

// How much of a title bar, across and down from the frame's top edge, must lie on a screen for
// the user to grab it.
constexpr int kTitleBarGrip = 32;

// True when the top strip of frame, where its title bar is, can be grabbed on one of areas.
bool TitleBarReachable(const ScreenRect& frame, std::span<const ScreenRect> areas) {
    const ScreenRect titleBar{frame.left, frame.top, frame.width, kTitleBarGrip};
    return std::any_of(areas.begin(), areas.end(), [&titleBar](const ScreenRect& area) {
        const int across =
            std::min(titleBar.Right(), area.Right()) - std::max(titleBar.left, area.left);
        return titleBar.top >= area.top && titleBar.Bottom() <= area.Bottom() &&
               across >= kTitleBarGrip;
    });
}

}  // namespace

ScreenRect RestoreBounds(const ScreenRect& saved, std::span<const ScreenRect> areas,
                         const ScreenRect& primary) {
    // The screen the window lies on is the one holding most of it.
    const auto home = std::max_element(areas.begin(), areas.end(),
                                       [&saved](const ScreenRect& a, const ScreenRect& b) {
                                           return OverlapArea(saved, a) < OverlapArea(saved, b);
                                       });
    if (home == areas.end() || OverlapArea(saved, *home) == 0) return FitInside(saved, primary);
    if (saved.width > home->width || saved.height > home->height) return FitInside(saved, *home);
    if (TitleBarReachable(saved, areas)) return saved;
    return MoveInside(saved, *home);
}
