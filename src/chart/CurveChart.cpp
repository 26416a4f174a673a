#include "CurveChart.h"

#include <QCategoryAxis>
#include <QFont>
#include <QFontMetricsF>
#include <QGraphicsLayout>
#include <QGraphicsLineItem>
#include <QGraphicsScene>
#include <QGraphicsSimpleTextItem>
#include <QGraphicsTextItem>
#include <QLineSeries>
#include <QLinearGradient>
#include <QPainter>
#include <QScatterSeries>
#include <QTextDocument>

#include <algorithm>
#include <cmath>
#include <functional>

namespace ondrel {

namespace {

double Luminance(const QColor& c) {
    const auto channel = [](double v) {
        return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
}

// Of the candidates, the one most readable on both ends of the gradient.
QColor MostReadable(std::initializer_list<QColor> candidates, const QColor& start,
                    const QColor& end) {
    QColor best;
    double bestContrast = -1;
    for (const QColor& c : candidates) {
        const double contrast = std::min(ContrastRatio(c, start), ContrastRatio(c, end));
        if (contrast > bestContrast) {
            best = c;
            bestContrast = contrast;
        }
    }
    return best;
}

const QColor kDarkLabels(20, 20, 40);
const QColor kLightLabels(245, 245, 250);

} // namespace

double ContrastRatio(const QColor& a, const QColor& b) {
    const double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

CurveColours ColoursFor(const CurveData& data) {
    if (data.blackAndWhite) return {Qt::white, Qt::white, Qt::black, Qt::black, Qt::black};
    const bool standard = data.background.rgb() == kDefaultBackground.rgb();
    const QColor start = data.background;
    const QColor end = standard ? kAqua : data.background;
    const QColor labels = MostReadable({kDarkLabels, kLightLabels}, start, end);
    // The title takes the curve's colour, unless it would hardly show on the background.
    QColor text = standard ? kNavy : data.curve;
    if (std::min(ContrastRatio(text, start), ContrastRatio(text, end)) < 3) text = labels;
    return {start, end, text, data.curve, labels};
}

// ---------------------------------------------------------------------------------------------
// Ticks

namespace {

constexpr double kHour = 1.0 / 24;

} // namespace

std::pair<double, double> TimeRange(const std::vector<CurvePoint>& points, CurveView view) {
    if (points.empty()) return {0, 1};
    const double unit = view == CurveView::Day ? kHour : 1.0;
    // A hair of tolerance so that 06:00 computed as 05:59:59.99 stays on 06:00.
    double lo = std::floor(points.front().x / unit + 1e-6) * unit;
    double hi = std::ceil(points.back().x / unit - 1e-6) * unit;
    if (hi <= lo) hi = lo + unit;
    return {lo, hi};
}

std::vector<AxisTick> TimeTicks(double min, double max, CurveView view, double pixels,
                                const QLocale& locale, double labelWidth) {
    std::vector<AxisTick> ticks;
    if (!(max > min)) return ticks;
    const double unit = view == CurveView::Day ? kHour : 1.0;
    if (labelWidth <= 0) labelWidth = view == CurveView::Day ? 34.0 : 46.0;
    // The axis gives every label an equal share of its width, with one share more than there
    // are labels, and elides a label wider than its share less its padding.
    const double share = labelWidth + 12;
    const std::vector<int> steps = view == CurveView::Day ? std::vector<int>{1, 2, 3, 4, 6, 12, 24}
                                                          : std::vector<int>{1, 2, 3, 5, 7, 14};
    const double span = (max - min) / unit;
    int step = steps.back();
    for (int s : steps) {
        const double labels = std::floor(span / s + 1e-6) + 1;
        if ((labels + 1) * share <= pixels) {
            step = s;
            break;
        }
    }
    const auto first = static_cast<long long>(std::ceil(min / unit - 1e-6));
    const auto last = static_cast<long long>(std::floor(max / unit + 1e-6));
    // Counted from the axis start, so that its label (the first day of a week) is never dropped.
    for (long long k = first; k <= last; ++k) {
        if ((k - first) % step != 0) continue;
        const double v = static_cast<double>(k) * unit;
        ticks.push_back({v, AxisTimeLabel(v, view, locale)});
    }
    return ticks;
}

std::vector<AxisTick> HeightTicks(double min, double max, double pixels) {
    std::vector<AxisTick> ticks;
    if (!(max > min)) return ticks;
    const double maxTicks = std::max(2.0, pixels / 28.0);
    const double span = max - min;
    const double magnitude = std::pow(10.0, std::floor(std::log10(span / maxTicks)));
    double step = magnitude * 10;
    for (double m : {1.0, 2.0, 2.5, 5.0, 10.0})
        if (span / (m * magnitude) <= maxTicks) {
            step = m * magnitude;
            break;
        }
    const QLocale locale = QLocale::system();
    const QChar decimal =
        locale.decimalPoint().isEmpty() ? QLatin1Char('.') : locale.decimalPoint()[0];
    const QChar group =
        locale.groupSeparator().isEmpty() ? QLatin1Char(',') : locale.groupSeparator()[0];
    for (double k = std::ceil(min / step - 1e-9); k * step <= max + 1e-9; k += 1)
        ticks.push_back({k * step, FormatAxisHeight(k * step, decimal, group)});
    return ticks;
}

namespace {

std::pair<double, double> HeightRange(const CurveData& data) {
    double lo = 0, hi = 0;
    bool any = false;
    const auto take = [&](double y) {
        if (!any) lo = hi = y;
        lo = std::min(lo, y);
        hi = std::max(hi, y);
        any = true;
    };
    for (const CurvePoint& p : data.points)
        take(p.y);
    if (!any) return {0, 1};
    if (data.indicator) take(data.indicator->y());
    for (const QPointF& p : data.interval)
        take(p.y());
    const double pad = std::max((hi - lo) * 0.05, 0.05);
    return {lo - pad, hi + pad};
}

// Category axes take unique labels only; a repeated label gets an invisible trailing mark.
void FillAxis(QCategoryAxis* axis, const std::vector<AxisTick>& ticks, double min, double max) {
    for (const QString& label : axis->categoriesLabels())
        axis->remove(label);
    // The first category starts one step before the axis: a label on the axis start gets the
    // same room as the others (a category's label never gets more room than its width).
    const double step = ticks.size() > 1 ? ticks[1].value - ticks[0].value : (max - min);
    axis->setStartValue(std::min(min, ticks.empty() ? min : ticks.front().value) - step);
    QStringList used;
    for (const AxisTick& t : ticks) {
        QString label = t.label;
        while (used.contains(label))
            label += QChar(0x200B); // zero-width space
        used << label;
        axis->append(label, std::max(t.value, min));
    }
    axis->setRange(min, max);
}

} // namespace

// ---------------------------------------------------------------------------------------------
// 3-D: walls with depth behind the plot area and the curve as a ribbon running into the depth.

class DepthItem : public QGraphicsItem {
public:
    explicit DepthItem(CurveChart* chart) : QGraphicsItem(chart), chart_(chart) {}

    QRectF boundingRect() const override { return QRectF(QPointF(0, 0), chart_->size()); }
    void resized() {
        prepareGeometryChange();
        update();
    }

    void paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*) override {
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

    std::vector<QPointF> gridValues(bool vertical) const {
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

private:
    CurveChart* chart_;
};

// ---------------------------------------------------------------------------------------------

CurveChart::CurveChart() {
    legend()->hide();
    setBackgroundRoundness(0);
    setBackgroundVisible(true);
    setPlotAreaBackgroundVisible(false);
    setAnimationOptions(QChart::NoAnimation);

    curveSeries_ = new QLineSeries(this);
    curveSeries_->setName(QStringLiteral("Hauteur"));
    curveSeries_->setPointsVisible(false);
    indicatorSeries_ = new QScatterSeries(this);
    indicatorSeries_->setName(QStringLiteral("Indicateur"));
    indicatorSeries_->setMarkerShape(QScatterSeries::MarkerShapeRotatedRectangle);
    indicatorSeries_->setMarkerSize(13);
    indicatorSeries_->setPen(QPen(Qt::red, 1.5, Qt::DashLine));
    intervalSeries_ = new QLineSeries(this);
    intervalSeries_->setName(QStringLiteral("Intervalle"));
    intervalSeries_->setPen(QPen(QColor(0, 255, 0), 2));
    intervalSeries_->setPointsVisible(true);
    intervalSeries_->setMarkerSize(7);
    addSeries(curveSeries_);
    addSeries(intervalSeries_);
    addSeries(indicatorSeries_);

    axisX_ = new QCategoryAxis(this);
    axisX_->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    axisY_ = new QCategoryAxis(this);
    axisY_->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    addAxis(axisX_, Qt::AlignBottom);
    addAxis(axisY_, Qt::AlignLeft);
    for (QAbstractSeries* s : {static_cast<QAbstractSeries*>(curveSeries_),
                               static_cast<QAbstractSeries*>(indicatorSeries_),
                               static_cast<QAbstractSeries*>(intervalSeries_)}) {
        s->attachAxis(axisX_);
        s->attachAxis(axisY_);
    }

    QFont titleFont(QStringLiteral("Arial Rounded MT Bold"), 10);
    titleFont.setBold(true);
    setTitleFont(titleFont);

    foot_ = new QGraphicsTextItem(this);
    foot_->setZValue(50);
    QFont footFont = foot_->font();
    footFont.setPointSizeF(8.5);
    foot_->setFont(footFont);

    firstTime_ = new QGraphicsTextItem(this);
    firstTime_->setZValue(10);

    depth_ = new DepthItem(this);
    depth_->setZValue(1.5); // above the plot-area background, under the series and axes

    crossV_ = new QGraphicsLineItem(this);
    crossH_ = new QGraphicsLineItem(this);
    for (QGraphicsLineItem* l : {crossV_, crossH_}) {
        l->setPen(QPen(QColor(255, 255, 0), 1, Qt::SolidLine));
        l->setZValue(100);
        l->hide();
    }

    connect(this, &QChart::plotAreaChanged, this, [this] { layoutExtras(); });
    connect(this, &QGraphicsWidget::geometryChanged, this, [this] {
        if (size().width() != titleWidth_) applyTitle();
        layoutExtras();
    });
    applyColours();
    setTexts({}, {});
}

CurveChart::~CurveChart() = default;

void CurveChart::setData(const CurveData& d) {
    data_ = d;
    QList<QPointF> pts;
    pts.reserve(static_cast<qsizetype>(d.points.size()));
    for (const CurvePoint& p : d.points)
        pts.append(QPointF(p.x, p.y));
    curveSeries_->replace(pts);
    indicatorSeries_->clear();
    if (d.indicator) indicatorSeries_->append(*d.indicator);
    QList<QPointF> interval(d.interval.begin(), d.interval.end());
    intervalSeries_->replace(interval);
    for (qsizetype i = 0; i < interval.size(); ++i)
        intervalSeries_->setPointConfiguration(
            static_cast<int>(i), QXYSeries::PointConfiguration::Color, QColor(255, 255, 0));
    setTexts(d.title, d.foot);
    applyColours();
    updateAxes();
    rebuildIntervalLabels();
}

void CurveChart::setPoints(std::vector<CurvePoint> points, CurveView view) {
    data_.points = std::move(points);
    data_.view = view;
    QList<QPointF> pts;
    pts.reserve(static_cast<qsizetype>(data_.points.size()));
    for (const CurvePoint& p : data_.points)
        pts.append(QPointF(p.x, p.y));
    curveSeries_->replace(pts);
    updateAxes();
    hideCrossHair();
    rebuildIntervalLabels();
    depth_->update();
}

void CurveChart::setTexts(const QStringList& title, const QStringList& foot) {
    data_.title = title;
    data_.foot = foot;
    applyTitle();
    if (foot.isEmpty()) {
        foot_->setPlainText(QString());
        foot_->hide();
    } else {
        foot_->setPlainText(foot.join(QLatin1Char('\n')));
        QTextOption option = foot_->document()->defaultTextOption();
        option.setAlignment(Qt::AlignHCenter);
        foot_->document()->setDefaultTextOption(option);
        foot_->show();
    }
    layoutExtras();
}

void CurveChart::applyTitle() {
    // Each line is shortened to the chart's width here: the chart itself would cut the whole
    // title to one line and lose the date under a long port name.
    const QFontMetricsF metrics(titleFont());
    qreal left = 0, top = 0, right = 0, bottom = 0;
    if (layout()) layout()->getContentsMargins(&left, &top, &right, &bottom);
    const double width =
        std::max(60.0, size().width() - margins().left() - margins().right() - left - right - 8);
    QStringList lines;
    for (const QString& line : data_.title)
        lines << metrics.elidedText(line, Qt::ElideRight, width).toHtmlEscaped();
    // In 3-D a blank line keeps the back wall, which rises above the plot area, off the title.
    setTitle(lines.isEmpty()
                 ? QString()
                 : QStringLiteral("<div align=\"center\">") + lines.join(QStringLiteral("<br>")) +
                       (data_.threeD ? QStringLiteral("<br>") : QString()) +
                       QStringLiteral("</div>"));
    titleWidth_ = size().width();
}

void CurveChart::setColours(const QColor& background, const QColor& curve) {
    data_.background = background;
    data_.curve = curve;
    applyColours();
}

void CurveChart::applyColours() {
    const CurveColours c = ColoursFor(data_);
    QLinearGradient gradient(0, 0, 0, 1);
    gradient.setCoordinateMode(QGradient::ObjectMode);
    gradient.setColorAt(0, c.gradientStart);
    gradient.setColorAt(1, c.gradientEnd);
    setBackgroundBrush(gradient);
    setBackgroundPen(data_.blackAndWhite ? QPen(Qt::NoPen) : QPen(c.gradientStart.darker(120)));
    setTitleBrush(c.text);
    foot_->setDefaultTextColor(c.text);
    curveSeries_->setPen(QPen(c.line, 2, Qt::DashLine));
    const QColor labels = c.labels;
    const QColor grid = data_.blackAndWhite ? QColor(Qt::lightGray) : QColor(255, 255, 255, 110);
    for (QCategoryAxis* a : {axisX_, axisY_}) {
        a->setLabelsBrush(labels);
        a->setLinePenColor(labels);
        a->setGridLinePen(QPen(grid, 1));
    }
    indicatorSeries_->setBrush(data_.indicatorBlue ? QColor(0, 0, 255) : QColor(255, 0, 0));
    firstTime_->setDefaultTextColor(labels);
    depth_->update();
}

void CurveChart::setThreeD(bool on) {
    data_.threeD = on;
    setTexts(data_.title, data_.foot);
    axisX_->setGridLineVisible(!on);
    axisY_->setGridLineVisible(!on);
    layoutExtras();
    depth_->update();
}

void CurveChart::setIndicator(std::optional<QPointF> point) {
    data_.indicator = point;
    if (!point) {
        indicatorSeries_->clear();
        return;
    }
    if (indicatorSeries_->count() == 1)
        indicatorSeries_->replace(0, *point);
    else {
        indicatorSeries_->clear();
        indicatorSeries_->append(*point);
    }
}

void CurveChart::setIndicatorBlue(bool blue) {
    data_.indicatorBlue = blue;
    indicatorSeries_->setBrush(blue ? QColor(0, 0, 255) : QColor(255, 0, 0));
}

void CurveChart::addIntervalPoint(const QPointF& point) {
    data_.interval.push_back(point);
    intervalSeries_->append(point);
    intervalSeries_->setPointConfiguration(
        intervalSeries_->count() - 1, QXYSeries::PointConfiguration::Color, QColor(255, 255, 0));
    rebuildIntervalLabels();
}

void CurveChart::clearInterval() {
    data_.interval.clear();
    intervalSeries_->clear();
    intervalSeries_->clearPointsConfiguration();
    rebuildIntervalLabels();
}

QPointF CurveChart::depthOffset() const {
    if (!data_.threeD) return {0, 0};
    const double d =
        std::clamp(std::round(std::min(size().width(), size().height()) * 0.03), 6.0, 18.0);
    return {d, d};
}

QPointF CurveChart::valueAt(const QPointF& position) const {
    return const_cast<CurveChart*>(this)->mapToValue(position, curveSeries_);
}

QPointF CurveChart::positionOf(const QPointF& value) const {
    return const_cast<CurveChart*>(this)->mapToPosition(value, curveSeries_);
}

void CurveChart::showCrossHair(double x, double y) {
    const QPointF off = depthOffset();
    const QRectF r = plotArea();
    crossV_->setLine(x + off.x(), r.top() - off.y(), x + off.x(), r.bottom() - off.y());
    crossH_->setLine(r.left() + off.x(), y - off.y(), r.right() + off.x(), y - off.y());
    crossV_->show();
    crossH_->show();
}

void CurveChart::hideCrossHair() {
    crossV_->hide();
    crossH_->hide();
}

bool CurveChart::crossHairVisible() const {
    return crossV_->isVisible();
}

QLocale CurveChart::monthNamesLocale() const {
    switch (data_.language) {
    case Language::English:
        return QLocale(QLocale::English);
    case Language::French:
        break;
    }
    return QLocale(QLocale::French);
}

QString CurveChart::bottomLabel(double dateTime) const {
    return AxisTimeLabel(dateTime, data_.view, monthNamesLocale());
}

void CurveChart::setLanguage(Language language) {
    if (data_.language == language) return;
    data_.language = language;
    updateAxes();
}

QString CurveChart::leftLabel(double height) const {
    const QLocale locale = QLocale::system();
    const QChar decimal =
        locale.decimalPoint().isEmpty() ? QLatin1Char('.') : locale.decimalPoint()[0];
    const QChar group =
        locale.groupSeparator().isEmpty() ? QLatin1Char(',') : locale.groupSeparator()[0];
    return FormatAxisHeight(height, decimal, group);
}

void CurveChart::updateAxes() {
    if (updating_) return;
    updating_ = true;
    const auto [x0, x1] = TimeRange(data_.points, data_.view);
    const auto [y0, y1] = HeightRange(data_);
    const QRectF area = plotArea();
    const double w = area.width() > 10 ? area.width() : std::max(100.0, size().width() - 80);
    const double h = area.height() > 10 ? area.height() : std::max(100.0, size().height() - 80);
    const QFontMetricsF metrics(axisX_->labelsFont());
    double labelWidth = metrics.horizontalAdvance(QStringLiteral("00:00"));
    if (data_.view == CurveView::Span) {
        const QLocale locale = monthNamesLocale();
        labelWidth = 0;
        for (int month = 1; month <= 12; ++month)
            labelWidth =
                std::max(labelWidth,
                         metrics.horizontalAdvance(QStringLiteral("28 ") +
                                                   locale.monthName(month, QLocale::ShortFormat)));
    }
    // The time axis spans the chart inside its margins, under the height labels too.
    double axisWidth = w;
    if (layout() && size().width() > 100) {
        qreal l = 0, t = 0, r = 0, b = 0;
        layout()->getContentsMargins(&l, &t, &r, &b);
        axisWidth = std::max(w, size().width() - margins().left() - margins().right() - l - r);
    }
    std::vector<AxisTick> xt =
        TimeTicks(x0, x1, data_.view, axisWidth, monthNamesLocale(), labelWidth);
    if (!xt.empty()) {
        firstTime_->setPlainText(xt.front().label);
        xt.front().label = QString(QChar(0x200B)); // an invisible category label
    } else {
        firstTime_->setPlainText(QString());
    }
    std::vector<AxisTick> yt = HeightTicks(y0, y1, h);
    // The left axis runs from tick to tick.
    const double ylo = yt.empty() ? y0 : std::min(y0, yt.front().value);
    const double yhi = yt.empty() ? y1 : std::max(y1, yt.back().value);
    QStringList newX, newY;
    for (const AxisTick& t : xt)
        newX << t.label;
    for (const AxisTick& t : yt)
        newY << t.label;
    QStringList oldX = axisX_->categoriesLabels(), oldY = axisY_->categoriesLabels();
    for (QString& s : oldX)
        s.remove(QChar(0x200B));
    for (QString& s : oldY)
        s.remove(QChar(0x200B));
    if (oldX != newX || axisX_->min() != x0 || axisX_->max() != x1) FillAxis(axisX_, xt, x0, x1);
    if (oldY != newY || axisY_->min() != ylo || axisY_->max() != yhi)
        FillAxis(axisY_, yt, ylo, yhi);
    updating_ = false;
}

void CurveChart::layoutExtras() {
    if (updating_) return;
    const QPointF off = depthOffset();
    if (foot_->isVisible()) {
        // The foot's lines stay whole: its type shrinks until the longest line fits.
        QFont font = foot_->font();
        double points = 8.5;
        const QStringList lines = foot_->toPlainText().split(QLatin1Char('\n'));
        const auto widest = [&](const QFont& f) {
            double w = 0;
            for (const QString& line : lines)
                w = std::max(w, QFontMetricsF(f).horizontalAdvance(line));
            return w;
        };
        font.setPointSizeF(points);
        while (points > 5.5 && widest(font) > size().width() - 16) {
            points -= 0.5;
            font.setPointSizeF(points);
        }
        foot_->setFont(font);
        foot_->setTextWidth(size().width());
    }
    const double footHeight = foot_->isVisible() ? foot_->boundingRect().height() : 0;
    const auto applyMargins = [&] {
        // Room on the right for half of the last time label; on the left for half of the first
        // one, beyond what the height labels already take (the chart hides a time label that
        // would stick out of its margins).
        const double firstHalf =
            QFontMetricsF(axisX_->labelsFont()).horizontalAdvance(firstTime_->toPlainText()) / 2;
        const double heightLabels =
            plotArea().width() > 0 ? std::max(0.0, plotArea().left() - margins().left()) : 0;
        const int left = std::max(6, static_cast<int>(std::ceil(firstHalf + 3 - heightLabels)));
        const QMargins wanted(left, 6 + static_cast<int>(off.y()), 22 + static_cast<int>(off.x()),
                              4 + static_cast<int>(std::ceil(footHeight)));
        if (margins() != wanted) setMargins(wanted);
    };
    applyMargins();
    if (foot_->isVisible()) {
        foot_->setPos(0, size().height() - foot_->boundingRect().height() - 2);
    }
    updateAxes();
    applyMargins(); // the first time label may have changed
    placeFirstTimeLabel();
    rebuildIntervalLabels();
    if (crossHairVisible()) hideCrossHair();
    depth_->resized();
}

void CurveChart::placeFirstTimeLabel() {
    const QString text = firstTime_->toPlainText();
    if (text.isEmpty() || plotArea().width() <= 0) {
        firstTime_->hide();
        return;
    }
    firstTime_->setFont(axisX_->labelsFont());
    firstTime_->setDefaultTextColor(axisX_->labelsBrush().color());
    // On the row of the axis's own labels, centred under the axis start.
    double top = plotArea().bottom() + 2;
    QStringList others = axisX_->categoriesLabels();
    others.removeFirst();
    const std::function<bool(const QGraphicsItem*)> findRow = [&](const QGraphicsItem* item) {
        for (const QGraphicsItem* child : item->childItems()) {
            const auto* label = dynamic_cast<const QGraphicsTextItem*>(child);
            if (label && label != firstTime_ && label != foot_ && label->isVisible() &&
                others.contains(label->toPlainText())) {
                top = label->mapToItem(this, QPointF(0, 0)).y();
                firstTime_->document()->setDocumentMargin(label->document()->documentMargin());
                return true;
            }
            if (findRow(child)) return true;
        }
        return false;
    };
    findRow(this);
    const double width = firstTime_->boundingRect().width();
    firstTime_->setPos(std::round(plotArea().left() - width / 2), top);
    firstTime_->setVisible(axisX_->labelsVisible());
}

std::vector<QRectF> PlaceIntervalLabels(const std::vector<QPointF>& anchors,
                                        const std::vector<QSizeF>& sizes, const QRectF& bounds,
                                        double gap) {
    std::vector<QRectF> placed;
    placed.reserve(anchors.size());
    constexpr int kRows = 4;
    for (std::size_t i = 0; i < anchors.size() && i < sizes.size(); ++i) {
        const QPointF a = anchors[i];
        const QSizeF s = sizes[i];
        double left = a.x() - s.width() / 2;
        if (s.width() <= bounds.width())
            left = std::clamp(left, bounds.left(), bounds.right() - s.width());
        // Above, below, then rows further away, alternately.
        std::vector<QRectF> candidates;
        for (int row = 0; row < kRows; ++row) {
            const double step = row * (s.height() + 1);
            candidates.emplace_back(QPointF(left, a.y() - gap - s.height() - step), s);
            candidates.emplace_back(QPointF(left, a.y() + gap + step), s);
        }
        const auto isFree = [&](const QRectF& r) {
            return std::none_of(placed.begin(), placed.end(),
                                [&](const QRectF& other) { return other.intersects(r); });
        };
        const auto inside = [&](const QRectF& r) {
            return r.top() >= bounds.top() && r.bottom() <= bounds.bottom();
        };
        auto chosen = std::find_if(candidates.begin(), candidates.end(),
                                   [&](const QRectF& r) { return isFree(r) && inside(r); });
        if (chosen == candidates.end())
            chosen = std::find_if(candidates.begin(), candidates.end(), isFree);
        placed.push_back(chosen == candidates.end() ? candidates.front() : *chosen);
    }
    return placed;
}

void CurveChart::rebuildIntervalLabels() {
    for (QGraphicsSimpleTextItem* item : intervalLabels_)
        delete item;
    intervalLabels_.clear();
    const CurveColours c = ColoursFor(data_);
    const QPointF off = depthOffset();
    std::vector<QPointF> anchors;
    std::vector<QSizeF> sizes;
    for (const QPointF& p : data_.interval) {
        auto* label = new QGraphicsSimpleTextItem(AxisTimeLabel(p.x(), CurveView::Day), this);
        label->setBrush(data_.blackAndWhite ? QColor(Qt::black) : c.text);
        QFont f = label->font();
        f.setPointSizeF(8);
        f.setBold(true);
        label->setFont(f);
        label->setZValue(60);
        intervalLabels_.push_back(label);
        anchors.push_back(positionOf(p) + QPointF(off.x() / 2, -off.y() / 2));
        sizes.push_back(label->boundingRect().size());
    }
    const QRectF area = plotArea();
    const std::vector<QRectF> places =
        PlaceIntervalLabels(anchors, sizes, area.united(area.translated(off.x(), -off.y())), 9);
    for (std::size_t i = 0; i < places.size(); ++i)
        intervalLabels_[i]->setPos(places[i].topLeft());
}

void RenderCurve(const CurveData& data, QPainter& painter, const QRectF& target,
                 const QSizeF& size) {
    QGraphicsScene scene;
    auto* chart = new CurveChart;
    scene.addItem(chart);
    chart->resize(size);
    chart->setData(data);
    chart->setThreeD(data.threeD);
    // Let the layout settle: the axes' label widths decide the plot area, which decides the ticks.
    for (int i = 0; i < 3; ++i) {
        chart->resize(size + QSizeF(0, 1));
        chart->resize(size);
    }
    scene.setSceneRect(QRectF(QPointF(0, 0), size));
    scene.render(&painter, target, QRectF(QPointF(0, 0), size), Qt::IgnoreAspectRatio);
}

} // namespace ondrel
