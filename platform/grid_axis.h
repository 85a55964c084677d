#pragma once
// The pixel geometry along one axis of a scrolling grid: the columns (or rows) with their sizes,
// the fixed ones first and always in place, the scrolling ones shown from `first` on, in a
// viewport `limit` pixels long. Positions are pixels along the same axis of the viewport.

#include <vector>

struct GridAxis {
    const std::vector<int>& sizes;
    int fixedCount;
    int first;
    int limit;  // the viewport's extent along this axis

    int Count() const;
    // The pixels the fixed indices take.
    int FixedExtent() const;
    // The start of an index; -1 when it is scrolled out before `first`.
    int Start(int index) const;
    // The index shown at pos, fixed or scrolling; -1 outside the viewport or past the last.
    int IndexAt(int pos) const;
    // The shown scrolling index nearest to pos: the first one for a position before them, the
    // last one shown for a position after them.
    int ScrollingNear(int pos) const;
    // The smallest first scrolling index that still fills the viewport up to the end.
    int MaxFirst() const;
    // The first index that makes `index` end inside the viewport.
    int FirstShowing(int index) const;
    // Scrolling indices wholly shown, at least 1.
    int FullyShown() const;
    // `steps` shown (non-zero) indices away from `from`, stopping at the ends.
    int Step(int from, int steps) const;
    // Scrolling indices with a size, shown or not.
    int ShownScrolling() const;
};
