#pragma once
// Icons whose pictures the program draws itself, each size when it is first asked for.

#include <QIcon>
#include <QPixmap>
#include <functional>
#include <vector>

// Which side a picture asked for is drawn at.
enum class DrawnSide {
    NextListed,  // the listed side next above the one asked for (the largest when none is)
    AsAsked,     // the side asked for
};

// An icon listing the square sizes of listedSides (ascending), whose pictures draw(side) makes
// when each is first asked for; other modes (the disabled look) are made by Qt from them.
QIcon DrawnIcon(std::function<QPixmap(int side)> draw, std::vector<int> listedSides,
                DrawnSide drawnSide);
