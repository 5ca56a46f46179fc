#include "platform/qt/BadgeIcon.h"

#include <QIconEngine>
#include <QPainter>

#include <algorithm>
#include <array>

namespace quorbin {

namespace {

// Paints one mark into any rectangle: the shapes are laid out on a 1 x 1 square.
class BadgeEngine final : public QIconEngine {
public:
    explicit BadgeEngine(EntryMark mark) : mark_(mark) {}

    QIconEngine* clone() const override { return new BadgeEngine(mark_); }

    // Asked for in device pixels where the screen's ratio is above 1, so the glyph is
    // drawn sharp at that size rather than scaled up.
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        QPixmap drawn(size);
        drawn.fill(Qt::transparent);
        QPainter painter(&drawn);
        paint(&painter, QRect(QPoint(0, 0), size), mode, state);
        return drawn;
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State /*state*/) override {
        const qreal side = std::min(rect.width(), rect.height());
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        painter->translate(rect.x() + (rect.width() - side) / 2, rect.y() + (rect.height() - side) / 2);
        painter->scale(side, side);
        if (mode == QIcon::Disabled)
            painter->setOpacity(0.4);
        draw(*painter, std::max(1.5 / side, 0.13));
        painter->restore();
    }

private:
    void draw(QPainter& painter, qreal stroke) const;

    EntryMark mark_;
};

QPolygonF polygon(std::initializer_list<QPointF> points) {
    return QPolygonF(QList<QPointF>(points));
}

void BadgeEngine::draw(QPainter& painter, qreal stroke) const {
    auto pen = [&](const char* colour) {
        painter.setPen(
            QPen(QColor(QLatin1String(colour)), stroke, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.setBrush(Qt::NoBrush);
    };
    auto fill = [&](const char* colour) {
        painter.setPen(
            QPen(QColor(QLatin1String(colour)), stroke / 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.setBrush(QColor(QLatin1String(colour)));
    };
    switch (mark_) {
    case EntryMark::running: // a "play" triangle
        fill("#1a63c6");
        painter.drawPolygon(polygon({{0.25, 0.12}, {0.88, 0.5}, {0.25, 0.88}}));
        break;
    case EntryMark::finished: // a tick
        pen("#18803a");
        painter.drawPolyline(polygon({{0.14, 0.55}, {0.4, 0.8}, {0.88, 0.2}}));
        break;
    case EntryMark::failed: // a cross
        pen("#c5221f");
        painter.drawLine(QPointF(0.2, 0.2), QPointF(0.8, 0.8));
        painter.drawLine(QPointF(0.8, 0.2), QPointF(0.2, 0.8));
        break;
    case EntryMark::stalled: // an hourglass: it waited too long
        fill("#c35a00");
        painter.drawPolygon(
            polygon({{0.2, 0.1}, {0.8, 0.1}, {0.5, 0.5}, {0.8, 0.9}, {0.2, 0.9}, {0.5, 0.5}}));
        break;
    case EntryMark::notStarted: // a circle struck through
        pen("#8e24aa");
        painter.drawEllipse(QRectF(0.14, 0.14, 0.72, 0.72));
        painter.drawLine(QPointF(0.25, 0.75), QPointF(0.75, 0.25));
        break;
    case EntryMark::interrupted: // a "stop" square
        fill("#5f6368");
        painter.drawRect(QRectF(0.2, 0.2, 0.6, 0.6));
        break;
    case EntryMark::outputOfOther: { // a warning triangle with its exclamation mark
        pen("#a15c00");
        painter.drawPolygon(polygon({{0.5, 0.1}, {0.92, 0.88}, {0.08, 0.88}}));
        painter.drawLine(QPointF(0.5, 0.38), QPointF(0.5, 0.6));
        painter.drawPoint(QPointF(0.5, 0.75));
        break;
    }
    case EntryMark::none:
        break;
    }
}

} // namespace

QIcon badgeIcon(EntryMark mark) {
    constexpr std::size_t marks = static_cast<std::size_t>(EntryMark::outputOfOther) + 1;
    static const std::array<QIcon, marks> icons = [] {
        std::array<QIcon, marks> made;
        for (std::size_t i = 1; i < made.size(); ++i)
            made[i] = QIcon(new BadgeEngine(static_cast<EntryMark>(i)));
        return made;
    }();
    const auto index = static_cast<std::size_t>(mark);
    return index < icons.size() ? icons[index] : QIcon();
}

} // namespace quorbin
