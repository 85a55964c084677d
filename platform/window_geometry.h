#pragma once
// Where windows go on the screens: the arithmetic of restoring saved bounds and keeping a
// window on a screen, apart from any window system.

#include <span>

// A rectangle in screen pixels.
struct ScreenRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    int Right() const { return left + width; }
    int Bottom() const { return top + height; }
    bool Overlaps(const ScreenRect& other) const;
    bool operator==(const ScreenRect&) const = default;
};

// window moved the least distance that puts it wholly inside area. A window wider or taller
// than area is aligned with the area's left or top edge, so its title bar stays in reach.
ScreenRect MoveInside(ScreenRect window, const ScreenRect& area);

// The bounds a window saved at saved comes back at: exactly as saved when they overlap one of
// screens; otherwise on primary (an available area), as large as saved where that fits and
// moved the least distance from where it was saved.
ScreenRect RestoreBounds(const ScreenRect& saved, std::span<const ScreenRect> screens,
                         const ScreenRect& primary);
