#include "platform/window_geometry.h"

#include <algorithm>

bool ScreenRect::Overlaps(const ScreenRect& other) const {
    return left < other.Right() && other.left < Right() && top < other.Bottom() &&
           other.top < Bottom();
}

ScreenRect MoveInside(ScreenRect window, const ScreenRect& area) {
    // The far edges first, so that the near ones win for a window larger than the area.
    window.left = std::max(std::min(window.left, area.Right() - window.width), area.left);
    window.top = std::max(std::min(window.top, area.Bottom() - window.height), area.top);
    return window;
}

ScreenRect RestoreBounds(const ScreenRect& saved, std::span<const ScreenRect> screens,
                         const ScreenRect& primary) {
    if (std::any_of(screens.begin(), screens.end(),
                    [&saved](const ScreenRect& screen) { return saved.Overlaps(screen); })) {
        return saved;
    }
    ScreenRect bounds = saved;
    bounds.width = std::min(bounds.width, primary.width);
    bounds.height = std::min(bounds.height, primary.height);
    return MoveInside(bounds, primary);
}
