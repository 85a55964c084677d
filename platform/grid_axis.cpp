#include "platform/grid_axis.h"

#include <algorithm>
#include <cstdlib>

int GridAxis::Count() const {
    return int(sizes.size());
}

int GridAxis::FixedExtent() const {
    int extent = 0;
    for (int i = 0; i < fixedCount; ++i)
        extent += sizes[i];
    return extent;
}

int GridAxis::Start(int index) const {
    if (index < fixedCount) {
        int start = 0;
        for (int i = 0; i < index; ++i)
            start += sizes[i];
        return start;
    }
    if (index < first) return -1;
    int start = FixedExtent();
    for (int i = first; i < index; ++i)
        start += sizes[i];
    return start;
}

int GridAxis::IndexAt(int pos) const {
    if (pos < 0 || pos >= limit) return -1;
    int start = 0;
    for (int i = 0; i < Count() && start <= pos; ++i) {
        if (i == fixedCount) i = std::max(first, fixedCount);
        if (i >= Count()) break;
        if (pos < start + sizes[i]) return i;
        start += sizes[i];
    }
    return -1;
}

int GridAxis::ScrollingNear(int pos) const {
    int result = first;
    int start = FixedExtent();
    for (int i = first; i < Count() && start < limit; ++i) {
        if (sizes[i] <= 0) continue;
        if (result == first || pos >= start) result = i;
        start += sizes[i];
        if (pos < start) break;
    }
    return result;
}

int GridAxis::MaxFirst() const {
    const int room = limit - FixedExtent();
    int result = Count() - 1;
    int used = 0;
    for (int i = Count() - 1; i >= fixedCount; --i) {
        if (used + sizes[i] > room) break;
        used += sizes[i];
        result = i;
    }
    return std::max(result, fixedCount);
}

int GridAxis::FirstShowing(int index) const {
    if (index < fixedCount) return first;
    if (index < first) return index;
    const int room = limit - FixedExtent();
    int result = first;
    int used = 0;
    for (int i = first; i <= index; ++i)
        used += sizes[i];
    while (used > room && result < index)
        used -= sizes[result++];
    return result;
}

int GridAxis::FullyShown() const {
    int shown = 0;
    int end = FixedExtent();
    for (int i = first; i < Count(); ++i) {
        end += sizes[i];
        if (end > limit) break;
        if (sizes[i] > 0) ++shown;
    }
    return std::max(shown, 1);
}

int GridAxis::Step(int from, int steps) const {
    const int direction = steps < 0 ? -1 : 1;
    int result = from;
    for (int i = from, left = std::abs(steps); left > 0;) {
        i += direction;
        if (i < fixedCount || i >= Count()) break;
        if (sizes[i] > 0) {
            result = i;
            --left;
        }
    }
    return result;
}

int GridAxis::ShownScrolling() const {
    return int(
        std::count_if(sizes.begin() + fixedCount, sizes.end(), [](int size) { return size > 0; }));
}
