#include "ui/drawn_icon.h"

#include <QIconEngine>
#include <QPainter>
#include <algorithm>
#include <map>
#include <utility>

namespace {

class DrawnIconEngine : public QIconEngine {
public:
    DrawnIconEngine(std::function<QPixmap(int)> draw, std::vector<int> listedSides,
                    DrawnSide drawnSide)
        : draw_(std::move(draw)), listedSides_(std::move(listedSides)), drawnSide_(drawnSide) {}

    QIconEngine* clone() const override { return new DrawnIconEngine(*this); }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        painter->drawPixmap(rect, pixmap(rect.size(), mode, state));
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        int side = std::min(size.width(), size.height());
        if (drawnSide_ == DrawnSide::NextListed) {
            const auto next = std::lower_bound(listedSides_.begin(), listedSides_.end(), side);
            side = next == listedSides_.end() ? listedSides_.back() : *next;
        }
        QPixmap& picture = pictures_[side];
        if (picture.isNull()) picture = draw_(side);
        return QIcon(picture).pixmap(size, mode, state);
    }

    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override {
        QList<QSize> sizes;
        for (const int side : listedSides_)
            sizes.append(QSize(side, side));
        return sizes;
    }

    QString key() const override { return QStringLiteral("DrawnIconEngine"); }

private:
    std::function<QPixmap(int)> draw_;
    std::vector<int> listedSides_;
    DrawnSide drawnSide_;
    std::map<int, QPixmap> pictures_;
};

}  // namespace

QIcon DrawnIcon(std::function<QPixmap(int side)> draw, std::vector<int> listedSides,
                DrawnSide drawnSide) {
    return QIcon(new DrawnIconEngine(std::move(draw), std::move(listedSides), drawnSide));
}
