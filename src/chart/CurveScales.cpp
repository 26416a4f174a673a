// The chart's colours, scales and ticks: everything about the curve's axes that is arithmetic.
#include "chart/CurveChart.h"
#include "chart/CurveChartParts.h"

#include <QCategoryAxis>
#include <QFontMetricsF>

#include <algorithm>
#include <cmath>

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
                                const QLocale& locale, double labelWidth,
                                const std::function<double(double)>& clock) {
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
        ticks.push_back({v, AxisTimeLabel(clock ? clock(v) : v, view, locale)});
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

} // namespace ondrel
