#include "views/ports/WorldMapView.h"

#include <QPainter>
#include <QPolygonF>

namespace ondrel {

WorldMapView::WorldMapView(QWidget* parent)
    : QWidget(parent), map_(QStringLiteral(":/ports/worldmap.png")) {
    setObjectName(QStringLiteral("Image1"));
    setFixedSize(map_.isNull() ? QSize(354, 183) : map_.size());
}

void WorldMapView::setMarker(QRect marker, bool station) {
    marker_ = marker;
    station_ = station;
    update();
}

void WorldMapView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (map_.isNull())
        painter.fillRect(rect(), QColor(166, 206, 227));
    else
        painter.drawPixmap(0, 0, map_);
    if (marker_.isNull()) return;
    painter.setRenderHint(QPainter::Antialiasing);
    if (station_) {
        const QPointF c = QRectF(marker_).center();
        const double r = marker_.width() / 2.0 + 1;
        painter.setPen(QColor(255, 255, 255));
        painter.setBrush(QColor(0, 40, 200));
        painter.drawPolygon(QPolygonF(
            {c + QPointF(0, -r), c + QPointF(r, 0), c + QPointF(0, r), c + QPointF(-r, 0)}));
        return;
    }
    painter.setPen(QColor(255, 0, 0));
    painter.setBrush(QColor(255, 0, 0));
    painter.drawEllipse(marker_);
}

} // namespace ondrel
