#include "chart/CurveChart.h"
#include "chart/CurveChartParts.h"

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

// The curve's dashed pen, 2 pixels wide; over a month, the tides stand so close together that the
// dashes of the rise and of the fall would merge into blotches: there it is 1 pixel wide.
QPen CurvePen(const QColor& colour, const std::vector<CurvePoint>& points) {
    constexpr double kMonthDays = 20;
    const bool month = points.size() > 1 && points.back().x - points.front().x > kMonthDays;
    return QPen(colour, month ? 1 : 2, Qt::DashLine);
}

} // namespace

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

void CurveChart::setClock(std::function<double(double)> clock) {
    data_.clock = std::move(clock);
}

void CurveChart::setPoints(std::vector<CurvePoint> points, CurveView view) {
    data_.points = std::move(points);
    data_.view = view;
    QList<QPointF> pts;
    pts.reserve(static_cast<qsizetype>(data_.points.size()));
    for (const CurvePoint& p : data_.points)
        pts.append(QPointF(p.x, p.y));
    curveSeries_->replace(pts);
    curveSeries_->setPen(CurvePen(ColoursFor(data_).line, data_.points));
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
    curveSeries_->setPen(CurvePen(c.line, data_.points));
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
    return AxisTimeLabel(data_.clock ? data_.clock(dateTime) : dateTime, data_.view,
                         monthNamesLocale());
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
        TimeTicks(x0, x1, data_.view, axisWidth, monthNamesLocale(), labelWidth, data_.clock);
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
        auto* label = new QGraphicsSimpleTextItem(
            AxisTimeLabel(data_.clock ? data_.clock(p.x()) : p.x(), CurveView::Day), this);
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
