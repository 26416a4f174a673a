// The chart of the water-height curve: the three series, the axes with the program's own label
// formats, title and foot, the gradient background, the 3-D depth effect, the cross-hair and the
// interval marks. The curve window shows it; printing, the clipboard, saved images and
// ondrel-cli render a copy of it.
#pragma once

#include "chart/CurveTexts.h"
#include "engine/Curve.h"

#include <QChart>
#include <QColor>
#include <QPointF>
#include <QStringList>

#include <functional>
#include <optional>
#include <vector>

class QCategoryAxis;
class QGraphicsLineItem;
class QGraphicsSimpleTextItem;
class QGraphicsTextItem;
class QLineSeries;
class QPainter;
class QScatterSeries;

namespace ondrel {

inline const QColor kDefaultBackground(1, 128, 255);
inline const QColor kDefaultCurve(255, 0, 0);
inline const QColor kNavy(0, 0, 128);
inline const QColor kAqua(0, 255, 255);

// Everything the chart shows; a copy renders the same picture anywhere.
struct CurveData {
    std::vector<CurvePoint> points; // Series1
    CurveView view = CurveView::Day;
    QStringList title;
    QStringList foot;
    QColor background = kDefaultBackground;
    QColor curve = kDefaultCurve;
    bool threeD = false;
    bool blackAndWhite = false;           // printing in black on white
    std::optional<QPointF> indicator;     // Series2: (date-time value, height)
    bool indicatorBlue = false;           // the blinking fill
    std::vector<QPointF> interval;        // Series3
    Language language = Language::French; // of the month names on the time axis
    // The clock the time labels read: a date-time value of the points to the one shown (the
    // port's legal clock over a curve computed in a fixed frame); none: the value itself.
    std::function<double(double)> clock;
};

// The gradient end, the title and foot colour and the axis label colour that the background
// colour asks for: the texts stay readable on a dark background as on a light one.
struct CurveColours {
    QColor gradientStart, gradientEnd, text, line, labels;
};
CurveColours ColoursFor(const CurveData& data);
// The contrast ratio of two colours, 1 (the same luminance) to 21 (black on white).
double ContrastRatio(const QColor& a, const QColor& b);

class DepthItem;

class CurveChart : public QChart {
    Q_OBJECT
public:
    CurveChart();
    ~CurveChart() override;

    const CurveData& data() const { return data_; }
    void setData(const CurveData& data);

    void setPoints(std::vector<CurvePoint> points, CurveView view);
    // The clock of the time labels (see CurveData::clock), kept until the next call.
    void setClock(std::function<double(double)> clock);
    void setTexts(const QStringList& title, const QStringList& foot);
    // Month names of the week and month axes in the program's language, not the system's.
    void setLanguage(Language language);
    void setColours(const QColor& background, const QColor& curve);
    void setThreeD(bool on);
    void setIndicator(std::optional<QPointF> point);
    void setIndicatorBlue(bool blue);
    void addIntervalPoint(const QPointF& point);
    void clearInterval();

    // The 3-D depth offsets in pixels: the back of the chart lies dx to the right and dy higher
    // than its front. Both zero in flat view.
    QPointF depthOffset() const;
    // Value (date-time, height) at a point of the front plane, and the reverse.
    QPointF valueAt(const QPointF& position) const;
    QPointF positionOf(const QPointF& value) const;

    // The cross-hair: a vertical line at x and a horizontal line at y across the plot area, both
    // given in front-plane coordinates and drawn on the back plane in 3-D.
    void showCrossHair(double x, double y);
    void hideCrossHair();
    bool crossHairVisible() const;

    // Bottom- and left-axis label texts, as the readouts show them.
    QString bottomLabel(double dateTime) const;
    QString leftLabel(double height) const;

    QLineSeries* curveSeries() const { return curveSeries_; }
    QScatterSeries* indicatorSeries() const { return indicatorSeries_; }
    QLineSeries* intervalSeries() const { return intervalSeries_; }

private:
    void applyTitle();
    double titleWidth_ = 0;
    QLocale monthNamesLocale() const;
    void applyColours();
    void updateAxes();
    void layoutExtras();
    void rebuildIntervalLabels();
    void placeFirstTimeLabel();

    CurveData data_;
    QLineSeries* curveSeries_;
    QScatterSeries* indicatorSeries_;
    QLineSeries* intervalSeries_;
    QCategoryAxis* axisX_;
    QCategoryAxis* axisY_;
    QGraphicsTextItem* foot_;
    DepthItem* depth_;
    QGraphicsLineItem* crossV_;
    QGraphicsLineItem* crossH_;
    std::vector<QGraphicsSimpleTextItem*> intervalLabels_;
    // The label of the time axis start, drawn by the chart itself: the axis would hide it
    // whenever the height labels beside it are narrower than half of it.
    QGraphicsTextItem* firstTime_;
    bool updating_ = false;
};

// Tick positions and texts of an axis between min and max.
struct AxisTick {
    double value;
    QString label;
};
// `labelWidth` is the width of one label in pixels (0: a typical width).
// `clock` gives the value each label reads (none: the tick's own value).
std::vector<AxisTick> TimeTicks(double min, double max, CurveView view, double pixels,
                                const QLocale& locale = QLocale::system(), double labelWidth = 0,
                                const std::function<double(double)>& clock = {});
std::vector<AxisTick> HeightTicks(double min, double max, double pixels);
// The axis range around the data: whole hours (day view) or whole days.
std::pair<double, double> TimeRange(const std::vector<CurvePoint>& points, CurveView view);

// Where the time labels of the interval points go, one rectangle per anchor (the point's
// position): centred above the point when there is room, else below it, else on a row further
// up or down, so that no two labels overlap and each stays inside `bounds` when it can.
std::vector<QRectF> PlaceIntervalLabels(const std::vector<QPointF>& anchors,
                                        const std::vector<QSizeF>& sizes, const QRectF& bounds,
                                        double gap);

// Draws the chart of `data` laid out at `size` logical pixels into `target` of the painter.
void RenderCurve(const CurveData& data, QPainter& painter, const QRectF& target,
                 const QSizeF& size);

} // namespace ondrel
