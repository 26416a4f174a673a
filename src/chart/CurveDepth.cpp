// The chart in 3-D: walls with depth behind the plot area and the curve as a ribbon running into
// the depth, painted as one item over the chart.
#include "chart/CurveChart.h"
#include "chart/CurveChartParts.h"

#include <QCategoryAxis>
#include <QPainter>

#include <cmath>

namespace ondrel {

// ---------------------------------------------------------------------------------------------
// 3-D: walls with depth behind the plot area and the curve as a ribbon running into the depth.

DepthItem::DepthItem(CurveChart* chart) : QGraphicsItem(chart), chart_(chart) {}

QRectF DepthItem::boundingRect() const {
    return QRectF(QPointF(0, 0), chart_->size());
}

void DepthItem::resized() {
    prepareGeometryChange();
    update();
}

void DepthItem::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*) {
    const CurveData& d = chart_->data();
    if (!d.threeD) return;
    const QPointF off = chart_->depthOffset();
    const QPointF back(off.x(), -off.y());
    const QRectF front = chart_->plotArea();
    const QRectF rear = front.translated(back);
    const CurveColours colours = ColoursFor(d);
    painter->setRenderHint(QPainter::Antialiasing, true);

    // Walls: back, left and floor, lit from the top left.
    const QColor wallLine = d.blackAndWhite ? QColor(Qt::gray) : colours.text;
    painter->setPen(QPen(wallLine, 1));
    painter->setBrush(QColor(255, 255, 255, d.blackAndWhite ? 0 : 40));
    painter->drawRect(rear);
    painter->setBrush(QColor(255, 255, 255, d.blackAndWhite ? 0 : 70));
    painter->drawPolygon(
        QPolygonF({front.topLeft(), rear.topLeft(), rear.bottomLeft(), front.bottomLeft()}));
    painter->setBrush(QColor(0, 0, 0, d.blackAndWhite ? 0 : 35));
    painter->drawPolygon(QPolygonF(
        {front.bottomLeft(), rear.bottomLeft(), rear.bottomRight(), front.bottomRight()}));

    // Grid on the back wall.
    QPen grid(wallLine, 0.5, Qt::DotLine);
    painter->setPen(grid);
    for (const QPointF& g : gridValues(true)) {
        const double x = chart_->positionOf(g).x() + back.x();
        painter->drawLine(QPointF(x, rear.top()), QPointF(x, rear.bottom()));
    }
    for (const QPointF& g : gridValues(false)) {
        const double y = chart_->positionOf(g).y() + back.y();
        painter->drawLine(QPointF(rear.left(), y), QPointF(rear.right(), y));
    }

    // The ribbon, one face per segment, shaded by its slope.
    if (d.points.size() < 2) return;
    painter->setClipRect(front.united(rear));
    std::vector<QPointF> p;
    p.reserve(d.points.size());
    for (const CurvePoint& c : d.points)
        p.push_back(chart_->positionOf({c.x, c.y}));
    QColor base = colours.line;
    for (std::size_t i = 0; i + 1 < p.size(); ++i) {
        const QPointF a = p[i], b = p[i + 1];
        const double dx = b.x() - a.x(), dy = b.y() - a.y();
        const double len = std::hypot(dx, dy);
        // Faces turned towards the light (rising to the right) are brighter.
        const double light = len > 0 ? 0.5 - 0.5 * dy / len : 0.5;
        const QColor face = d.blackAndWhite ? QColor::fromHsvF(0, 0, 0.55 + 0.35 * light)
                                            : base.lighter(static_cast<int>(90 + 70 * light));
        painter->setPen(QPen(face, 1));
        painter->setBrush(face);
        painter->drawPolygon(QPolygonF({a, b, b + back, a + back}));
    }
    painter->setPen(QPen(base.darker(130), 1));
    for (std::size_t i = 0; i + 1 < p.size(); ++i)
        painter->drawLine(p[i] + back, p[i + 1] + back);
}

std::vector<QPointF> DepthItem::gridValues(bool vertical) const {
    std::vector<QPointF> values;
    auto* axis = static_cast<QCategoryAxis*>(
        chart_->axes(vertical ? Qt::Horizontal : Qt::Vertical).value(0));
    if (!axis) return values;
    const auto* other = static_cast<QCategoryAxis*>(
        chart_->axes(vertical ? Qt::Vertical : Qt::Horizontal).value(0));
    const double o = other ? other->min() : 0;
    for (const QString& label : axis->categoriesLabels()) {
        const double v = axis->endValue(label);
        values.push_back(vertical ? QPointF(v, o) : QPointF(o, v));
    }
    return values;
}

} // namespace ondrel
