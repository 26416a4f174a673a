// The pieces of the chart's drawing shared by its source files (CurveChart, CurveScales,
// CurveDepth); not for use outside the chart.
#pragma once

#include "chart/CurveChart.h"

#include <QGraphicsItem>

#include <utility>
#include <vector>

class QCategoryAxis;

namespace ondrel {

// The heights the chart's vertical axis spans: the curve, the indicator and the interval's points,
// with a margin.
std::pair<double, double> HeightRange(const CurveData& data);
// Puts ticks on a category axis (which takes unique labels only) over [min, max].
void FillAxis(QCategoryAxis* axis, const std::vector<AxisTick>& ticks, double min, double max);

// The walls and the ribbon of the 3-D view.
class DepthItem : public QGraphicsItem {
public:
    explicit DepthItem(CurveChart* chart);
    QRectF boundingRect() const override;
    void resized();
    void paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*) override;

private:
    std::vector<QPointF> gridValues(bool vertical) const;
    CurveChart* chart_;
};

} // namespace ondrel
