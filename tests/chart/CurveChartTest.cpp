// The water-height chart: label formats, axis ticks, the labels' places, the title and the
// colours.
#include "chart/CurveChart.h"
#include "chart/CurveTexts.h"
#include "engine/Julian.h"

#include <QCategoryAxis>
#include <QCoreApplication>
#include <QGraphicsScene>
#include <QGraphicsTextItem>

#include <gtest/gtest.h>

#include <cmath>
#include <optional>

namespace ondrel {
namespace {

TEST(FormatAxisHeight, HashCommaZeroDotHashHash) {
    struct Case {
        double value;
        const char* expected;
    };
    const Case cases[] = {
        {0, "0"},
        {2, "2"},
        {2.5, "2.5"},
        {2.25, "2.25"},
        {2.254, "2.25"},
        {2.996, "3"},
        {-0.35, "-0.35"},
        {-0.001, "0"},
        {1234.5, "1,234.5"},
        {1234567, "1,234,567"},
        {0.05, "0.05"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatAxisHeight(c.value), QString::fromLatin1(c.expected)) << c.value;
    EXPECT_EQ(FormatAxisHeight(1234.5, QLatin1Char(','), QChar(0xA0)),
              QString("1") + QChar(0xA0) + "234,5");
}

TEST(FormatReadoutHeight, ThreeSignificantDigits) {
    EXPECT_EQ(FormatReadoutHeight(8.163), "8.16");
    EXPECT_EQ(FormatReadoutHeight(12.345), "12.3");
    EXPECT_EQ(FormatReadoutHeight(-0.354, QLatin1Char(',')), "-0,354");
}

TEST(AxisTimeLabel, WallClockOfTheDateTimeValue) {
    const double noon = JulianDay(1999, 11, 8) + 0.5 - kDateTimeOrigin;
    EXPECT_EQ(AxisTimeLabel(noon, CurveView::Day), "12:00");
    EXPECT_EQ(AxisTimeLabel(noon + 4.0 / 1440 + 59.0 / 86400, CurveView::Day), "12:04");
    const QLocale english(QLocale::English);
    EXPECT_EQ(AxisTimeLabel(noon, CurveView::Span, english), "08 Nov");
    // Whatever the system's daylight saving: 02:30 on the last Sunday of March exists here.
    EXPECT_EQ(AxisTimeLabel(JulianDay(2024, 3, 31) + 2.5 / 24 - kDateTimeOrigin, CurveView::Day),
              "02:30");
}

TEST(TimeTicks, WholeHoursAndDays) {
    // Each label gets an equal share of the axis, one share more than there are labels; a share
    // holds the label and 12 pixels of padding (from 300 pixels on, or the axis would show no
    // label but its ends).
    const double day = JulianDay(2024, 3, 12) - kDateTimeOrigin;
    for (double labelWidth : {33.0, 45.0}) {
        for (double pixels : {300.0, 400.0, 1200.0}) {
            const auto ticks =
                TimeTicks(day, day + 1, CurveView::Day, pixels, QLocale::system(), labelWidth);
            ASSERT_GE(ticks.size(), 2u) << pixels;
            EXPECT_LE((static_cast<double>(ticks.size()) + 1) * (labelWidth + 12), pixels)
                << pixels;
            EXPECT_EQ(ticks.front().label, "00:00");
            for (const AxisTick& t : ticks)
                EXPECT_TRUE(t.label.endsWith(":00")) << t.label.toStdString();
        }
        for (double pixels : {400.0, 900.0}) {
            const auto month =
                TimeTicks(day, day + 31, CurveView::Span, pixels, QLocale::system(), labelWidth);
            ASSERT_GE(month.size(), 3u);
            EXPECT_LE((static_cast<double>(month.size()) + 1) * (labelWidth + 12), pixels)
                << pixels;
        }
    }
}

TEST(TimeTicks, FirstLabelAtTheAxisStart) {
    // The week and month views start on any day, and a day curve may start at any hour: the
    // first tick is always the axis start, then every step.
    struct Case {
        double start; // date-time value of the axis start
        double span;  // days
        CurveView view;
    };
    const double day = JulianDay(2026, 12, 7) - kDateTimeOrigin;
    const Case cases[] = {
        {day, 7, CurveView::Span},
        {day + 1, 7, CurveView::Span},
        {day + 2, 7, CurveView::Span},
        {day, 31, CurveView::Span},
        {day + 3, 31, CurveView::Span},
        {day, 1, CurveView::Day},
        {day + 5.0 / 24, 17.0 / 24, CurveView::Day},
        {day + 13.0 / 24, 9.0 / 24, CurveView::Day},
    };
    for (const Case& c : cases) {
        for (double pixels : {150.0, 330.0, 700.0, 1200.0}) {
            const auto ticks = TimeTicks(c.start, c.start + c.span, c.view, pixels);
            ASSERT_FALSE(ticks.empty()) << c.start << " " << pixels;
            EXPECT_NEAR(ticks.front().value, c.start, 1e-9) << c.start << " " << pixels;
            EXPECT_EQ(ticks.front().label, AxisTimeLabel(c.start, c.view));
            for (std::size_t i = 2; i < ticks.size(); ++i)
                EXPECT_NEAR(ticks[i].value - ticks[i - 1].value, ticks[1].value - ticks[0].value,
                            1e-9);
        }
    }
}

TEST(PlaceIntervalLabels, LabelsOfClosePointsNeverOverlap) {
    const QRectF bounds(40, 30, 320, 300);
    const QSizeF label(34, 14);
    struct Case {
        const char* what;
        std::vector<QPointF> anchors;
    };
    const Case cases[] = {
        {"far apart", {{80, 200}, {300, 200}}},
        {"one hour apart", {{100, 60}, {113, 60}}},
        {"four close together", {{150, 180}, {160, 182}, {170, 184}, {180, 186}}},
        {"at the top edge", {{200, 31}, {210, 31}}},
        {"at the bottom edge", {{200, 329}, {205, 329}}},
        {"at the left and right edges", {{41, 150}, {359, 150}}},
    };
    for (const Case& c : cases) {
        const std::vector<QSizeF> sizes(c.anchors.size(), label);
        const std::vector<QRectF> r = PlaceIntervalLabels(c.anchors, sizes, bounds, 9);
        ASSERT_EQ(r.size(), c.anchors.size()) << c.what;
        for (std::size_t i = 0; i < r.size(); ++i) {
            EXPECT_EQ(r[i].size(), label) << c.what;
            EXPECT_TRUE(bounds.contains(r[i])) << c.what << " label " << i;
            // Each label stays over or under its own point, clear of the point's mark.
            EXPECT_TRUE(r[i].left() <= c.anchors[i].x() && c.anchors[i].x() <= r[i].right())
                << c.what;
            EXPECT_GE(std::min(std::abs(r[i].top() - c.anchors[i].y()),
                               std::abs(r[i].bottom() - c.anchors[i].y())),
                      9 - 1e-9)
                << c.what;
            for (std::size_t j = 0; j < i; ++j)
                EXPECT_FALSE(r[i].intersects(r[j])) << c.what << " labels " << j << " and " << i;
        }
    }
    // With room, a label sits centred above its point.
    const auto alone = PlaceIntervalLabels({{200, 200}}, {label}, bounds, 9);
    EXPECT_EQ(alone.front(), QRectF(QPointF(200 - 17, 200 - 9 - 14), label));
}

// The chart's visible text items (axis labels among them), by text.
std::vector<const QGraphicsTextItem*> VisibleTextItems(const QGraphicsItem* item,
                                                       const QString& text) {
    std::vector<const QGraphicsTextItem*> found;
    for (const QGraphicsItem* child : item->childItems()) {
        if (!child->isVisible()) continue;
        if (const auto* t = dynamic_cast<const QGraphicsTextItem*>(child);
            t && QString(t->toPlainText()).remove(QChar(0x200B)) == text)
            found.push_back(t);
        const auto deeper = VisibleTextItems(child, text);
        found.insert(found.end(), deeper.begin(), deeper.end());
    }
    return found;
}

TEST(CurveChart, FirstTimeLabelIsShown) {
    // Whatever the width of the height labels on its left (one digit or several), the label of
    // the axis start is drawn whole, centred under the start, on the row of the other labels.
    struct Case {
        CurveView view;
        int days;
        double low, high; // heights
        QSize size;
    };
    const Case cases[] = {
        {CurveView::Span, 31, 0.8, 7.1, {413, 427}}, {CurveView::Span, 31, 0.8, 7.1, {300, 300}},
        {CurveView::Span, 7, 1.5, 6.2, {413, 427}},  {CurveView::Span, 7, 2.0, 4.0, {800, 600}},
        {CurveView::Span, 31, 3, 45, {413, 427}},    {CurveView::Day, 1, 1.6, 5.9, {413, 427}},
        {CurveView::Day, 1, 0.5, 9.5, {300, 300}},   {CurveView::Day, 1, 1234, 1240, {413, 427}},
    };
    const double day = JulianDay(2026, 12, 7) - kDateTimeOrigin;
    bool english = false;
    for (const Case& c : cases) {
        english = !english; // the month names follow the program's language, not the system's
        CurveData data;
        data.view = c.view;
        data.language = english ? Language::English : Language::French;
        const double step = c.view == CurveView::Day ? 0.003472 : 0.01736;
        for (double t = 0; t < c.days; t += step)
            data.points.push_back(
                {day + t, c.low + (c.high - c.low) * (0.5 + 0.5 * std::sin(t * 12.6))});
        QGraphicsScene scene;
        auto* chart = new CurveChart;
        scene.addItem(chart);
        chart->resize(c.size);
        chart->setData(data);
        for (int i = 0; i < 3; ++i) {
            chart->resize(QSizeF(c.size) + QSizeF(0, 1));
            chart->resize(c.size);
        }
        const std::string what = std::to_string(c.days) + " days, heights " +
                                 std::to_string(c.low) + " to " + std::to_string(c.high) +
                                 ", width " + std::to_string(c.size.width());
        auto* axis = qobject_cast<QCategoryAxis*>(chart->axes(Qt::Horizontal).value(0));
        ASSERT_NE(axis, nullptr);
        ASSERT_GE(axis->categoriesLabels().size(), 2) << what;
        const QString firstLabel =
            AxisTimeLabel(day, c.view, QLocale(english ? QLocale::English : QLocale::French));
        if (c.view == CurveView::Span) {
            EXPECT_EQ(firstLabel, english ? QStringLiteral("07 Dec") : QStringLiteral("07 déc."));
        }
        const QString secondLabel = axis->categoriesLabels()[1];
        // The leftmost item of each text (a day curve ends on "00:00" too).
        const auto leftmost = [&](const QString& text) {
            std::optional<QRectF> r;
            for (const QGraphicsTextItem* item : VisibleTextItems(chart, text))
                if (!r || item->sceneBoundingRect().left() < r->left())
                    r = item->sceneBoundingRect();
            return r;
        };
        const auto first = leftmost(firstLabel);
        const auto second = leftmost(secondLabel);
        ASSERT_TRUE(first.has_value()) << what;
        ASSERT_TRUE(second.has_value()) << what;
        EXPECT_GE(first->left(), 0) << what;
        EXPECT_NEAR(first->center().x(), chart->plotArea().left(), 2) << what;
        EXPECT_NEAR(first->top(), second->top(), 0.5) << what;
        // Every other time label is shown whole: none is elided for want of room.
        for (qsizetype i = 1; i < axis->categoriesLabels().size(); ++i) {
            QString label = axis->categoriesLabels()[i];
            label.remove(QChar(0x200B));
            EXPECT_TRUE(leftmost(label).has_value()) << what << " " << label.toStdString();
        }
    }
}

TEST(TimeRange, RoundsToHoursOrDays) {
    const double day = JulianDay(2024, 3, 12) - kDateTimeOrigin;
    std::vector<CurvePoint> points{{day + 0.25, 1}, {day + 0.9166, 2}};
    auto [lo, hi] = TimeRange(points, CurveView::Day);
    EXPECT_NEAR(lo, day + 0.25, 1e-9);
    EXPECT_NEAR(hi, day + 22.0 / 24, 1e-9);
    std::tie(lo, hi) = TimeRange(points, CurveView::Span);
    EXPECT_NEAR(lo, day, 1e-9);
    EXPECT_NEAR(hi, day + 1, 1e-9);
}

TEST(HeightTicks, CoverTheRangeWithRoundSteps) {
    const auto ticks = HeightTicks(0.3, 8.7, 300);
    ASSERT_GE(ticks.size(), 3u);
    const double step = ticks[1].value - ticks[0].value;
    for (std::size_t i = 1; i < ticks.size(); ++i)
        EXPECT_NEAR(ticks[i].value - ticks[i - 1].value, step, 1e-9);
    EXPECT_GE(ticks.front().value, 0.3 - 1e-9);
    EXPECT_LE(ticks.back().value, 8.7 + 1e-9);
}

// What a user walkthrough of the curve window found in the chart: a long port name, a dark
// background.
TEST(CurveTitle, ALongPortNameNeverPushesTheDateOut) {
    const QString name =
        QStringLiteral("MISSISSIPPI SOUND AT USGS MERRILL SHELL BANK LIGHT (30 13 N - 088 54 W)");
    const QString date = QStringLiteral("Lundi, 7 décembre 2026");
    QGraphicsScene scene;
    auto* chart = new CurveChart;
    scene.addItem(chart);
    chart->setTexts({name, date}, {});
    // The title as the chart shows it, after its own layout.
    const auto shownLines = [&] {
        QCoreApplication::processEvents();
        for (QGraphicsItem* item : chart->childItems())
            if (auto* text = dynamic_cast<QGraphicsTextItem*>(item);
                text && text->toPlainText().contains(date))
                return text->toPlainText().split(u'\n');
        return QStringList();
    };
    for (const double width : {900.0, 420.0, 300.0}) {
        chart->resize(width, 300);
        const QStringList lines = shownLines();
        ASSERT_EQ(lines.size(), 2) << width;
        EXPECT_TRUE(name.startsWith(lines[0].chopped(1)) || lines[0] == name)
            << lines[0].toStdString();
    }
}

TEST(CurveColoursTest, TitleAndLabelsStayReadableOnAnyBackground) {
    const QColor backgrounds[] = {kDefaultBackground,    Qt::black,        QColor(0, 0, 128),
                                  QColor(0, 70, 0),      Qt::white,        Qt::yellow,
                                  QColor(128, 128, 128), QColor(200, 0, 0)};
    const QColor curves[] = {kDefaultCurve, Qt::black, Qt::white, QColor(0, 0, 128)};
    for (const QColor& background : backgrounds) {
        for (const QColor& curve : curves) {
            CurveData d;
            d.background = background;
            d.curve = curve;
            const CurveColours c = ColoursFor(d);
            SCOPED_TRACE(background.name().toStdString() + " " + curve.name().toStdString());
            for (const QColor& end : {c.gradientStart, c.gradientEnd}) {
                EXPECT_GE(ContrastRatio(c.labels, end), 4.5);
                EXPECT_GE(ContrastRatio(c.text, end), 3.0);
            }
        }
    }
}

} // namespace
} // namespace ondrel
