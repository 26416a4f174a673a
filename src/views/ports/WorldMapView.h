// The port window's world map (Image1, with its transparent layer calque) and the marker of the
// highlighted entry: the red dot of a port, or the blue diamond of a current station.
#pragma once

#include <QPixmap>
#include <QRect>
#include <QWidget>

namespace ondrel {

class WorldMapView : public QWidget {
public:
    explicit WorldMapView(QWidget* parent);
    void setMarker(QRect marker, bool station = false);
    QRect marker() const { return marker_; }

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QPixmap map_;
    QRect marker_;
    bool station_ = false;
};

} // namespace ondrel
