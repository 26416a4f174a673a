// The curve window: sampling, title and foot, cross-hair, indicator, colours, stored values,
// saved images, printed pages and its layout.
#include "views/curve/CurveWindow.h"
#include "ViewsTestSupport.h"
#include "chart/CurveImage.h"
#include "engine/Extremes.h"
#include "state/CurveWindowSettings.h"

#include <QChartView>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QLabel>
#include <QLineSeries>
#include <QPrinter>
#include <QProgressBar>
#include <QRegularExpression>
#include <QScatterSeries>
#include <QTimer>

#include <cmath>

namespace ondrel::test {
namespace {

using CurveWindowTest = ViewsTest;

std::vector<QPointF> PointsOf(const QXYSeries* s) {
    const QList<QPointF> list = s->points();
    return {list.begin(), list.end()};
}

TEST_F(CurveWindowTest, WholeDayHas289PointsEqualToTheEngineHeights) {
    CurveWindow curve(state, messages);
    curve.drawDayCurve(state.selectedDay, state.selectedDay + 1);
    const auto points = PointsOf(curve.chart()->curveSeries());
    ASSERT_EQ(points.size(), 289u);
    EXPECT_DOUBLE_EQ(points.front().x(), state.selectedDay - kDateTimeOrigin);
    // The last point at 23:59:54, k = 288 steps of 0.003472 day.
    EXPECT_NEAR((points.back().x() - points.front().x()) * 86400.0, 288 * 0.003472 * 86400.0, 0.01);
    EXPECT_EQ(DateTimeOfValue(points.back().x()).time(), QTime(23, 59, 54));
    for (const QPointF& p : points)
        EXPECT_DOUBLE_EQ(p.y(), HeightAt(state.context(), state.secondaryCache, state.port,
                                         p.x() + kDateTimeOrigin));
    EXPECT_TRUE(curve.curveComputed());
    EXPECT_TRUE(curve.isVisible());
}

TEST_F(CurveWindowTest, CurveHoursBoundTheDayCurve) {
    CurveWindow curve(state, messages);
    curve.drawDayCurve(state.selectedDay + 0.25, state.selectedDay + 22.0 / 24);
    const auto points = PointsOf(curve.chart()->curveSeries());
    ASSERT_FALSE(points.empty());
    EXPECT_EQ(DateTimeOfValue(points.front().x()).time(), QTime(6, 0));
    EXPECT_LT(points.back().x(), state.selectedDay + 22.0 / 24 - kDateTimeOrigin);
}

TEST_F(CurveWindowTest, FeetMultiplyEveryPlottedHeight) {
    CurveWindow curve(state, messages);
    curve.drawDayCurve(state.selectedDay, state.selectedDay + 1);
    const auto metres = PointsOf(curve.chart()->curveSeries());
    state.settings.heightUnit = HeightUnit::Feet;
    curve.drawDayCurve(state.selectedDay, state.selectedDay + 1);
    const auto feet = PointsOf(curve.chart()->curveSeries());
    ASSERT_EQ(metres.size(), feet.size());
    for (std::size_t i = 0; i < feet.size(); ++i)
        EXPECT_NEAR(feet[i].y(), metres[i].y() / 0.3048, 1e-9);
}

TEST_F(CurveWindowTest, WeekAndMonthCurvesAreTheEngineSpanCurves) {
    for (const PortRecord& port : {state.port, SecondaryOf(state.port)}) {
        state.port = port;
        CurveWindow curve(state, messages);
        for (int span : {7, 31}) {
            curve.drawSpan(span);
            SecondaryDayCache fresh;
            const auto expected = SpanCurve(state.context(), fresh, port, state.selectedDay, span,
                                            UnitFactor(HeightUnit::Metres));
            const auto points = PointsOf(curve.chart()->curveSeries());
            ASSERT_EQ(points.size(), expected.size()) << port.name << " " << span;
            for (std::size_t i = 0; i < points.size(); ++i) {
                EXPECT_DOUBLE_EQ(points[i].x(), expected[i].x);
                EXPECT_DOUBLE_EQ(points[i].y(), expected[i].y);
            }
            EXPECT_FALSE(curve.progressBar()->isVisible());
            EXPECT_EQ(curve.chart()->data().view, CurveView::Span);
        }
    }
}

TEST_F(CurveWindowTest, DayCurveAfterAWeekOfASecondaryPortUsesItsOwnDay) {
    state.port = SecondaryOf(state.port);
    CurveWindow curve(state, messages);
    curve.drawDayCurve(state.selectedDay, state.selectedDay + 1);
    const auto before = PointsOf(curve.chart()->curveSeries());
    curve.drawSpan(7);
    curve.drawSelectedDay();
    EXPECT_EQ(PointsOf(curve.chart()->curveSeries()), before);
}

TEST_F(CurveWindowTest, TitleAndFootWithAndWithoutElements) {
    state.settings.decimalSeparator = QStringLiteral(",");
    struct Case {
        bool secondary;
        int timeReference;
        const char* suffix;
    };
    const Case cases[] = {
        {false, 0, " - UT + : 1"}, {false, 1, " - UT +1"},      {false, 2, " - UT +2"},
        {false, 105, " - UT + 5"}, {true, 0, " - UT + : -3,5"}, {true, 1, " - UT +1"},
        {true, 95, " - UT + -5"},
    };
    const PortRecord standard = state.port;
    for (const Case& c : cases) {
        state.port = c.secondary ? SecondaryOf(standard) : standard;
        state.settings.timeReference = TimeReference(c.timeReference);
        CurveWindow curve(state, messages);
        curve.drawDayCurve(state.selectedDay, state.selectedDay + 1);
        if (curve.elementsOn()) curve.toggleElements(); // stored by the previous case
        const QString date = FormatLongDate(QDate(2024, 3, 12), state.dateNames);
        const QString name = QString::fromStdString(state.port.name);
        EXPECT_EQ(curve.chart()->data().title, QStringList({name, date}));
        EXPECT_TRUE(curve.chart()->data().foot.isEmpty());

        curve.toggleElements();
        ASSERT_TRUE(curve.elementsOn());
        EXPECT_EQ(curve.chart()->data().title, QStringList({name + " (49:29N - 000:07E)", date}));
        const QStringList foot = curve.chart()->data().foot;
        ASSERT_EQ(foot.size(), 2);
        // One piece per filled slot, in slot order, each "PM:" or "BM:" time "/" height.
        QString expected = QStringLiteral("-");
        const DayEvents events = DayTideEvents(state.context(), state.port, state.selectedDay);
        int filled = 0;
        for (const TideEvent& e : events) {
            if (e.empty()) continue;
            ++filled;
            expected += (e.time > 0 ? " PM:" : " BM:") +
                        QString::fromStdString(FormatEventTimeH(e.time)) + "/" +
                        QString::fromStdString(FormatHeight(e.height)) + " -";
        }
        EXPECT_GE(filled, 3);
        EXPECT_EQ(foot[0], expected);
        EXPECT_TRUE(QRegularExpression(R"(^-( [PB]M:\d\dh\d\d/-?\d\d,\d\d -){3,4}$)")
                        .match(foot[0])
                        .hasMatch())
            << foot[0].toStdString();
        const CoefficientPair k = DayCoefficients(state.context(), state.selectedDay);
        EXPECT_EQ(foot[1],
                  QStringLiteral("Coefs : %1/%2").arg(k.morning).arg(k.evening) + c.suffix);
    }
}

TEST_F(CurveWindowTest, EnglishFootLabelsHighAndLowWaters) {
    state.settings.chosenLanguage = Language::English;
    CurveWindow curve(state, messages);
    curve.toggleElements();
    const QString events = curve.chart()->data().foot.value(0);
    EXPECT_TRUE(events.contains(" HW:") && events.contains(" LW:")) << events.toStdString();
    EXPECT_FALSE(events.contains(" PM:") || events.contains(" BM:"));
}

TEST_F(CurveWindowTest, RepaintBeforeTheFirstCurveChangesNothing) {
    CurveWindow curve(state, messages);
    const CurveData before = curve.chart()->data();
    curve.refreshChart();
    curve.applyBackgroundColour(Qt::darkGreen);
    EXPECT_EQ(curve.chart()->data().title, before.title);
    EXPECT_FALSE(curve.curveComputed());
}

TEST_F(CurveWindowTest, ColourRules) {
    CurveWindow curve(state, messages);
    curve.drawDayCurve(state.selectedDay, state.selectedDay + 1);
    CurveColours c = ColoursFor(curve.chart()->data());
    EXPECT_EQ(c.gradientEnd, kAqua);
    EXPECT_EQ(c.text, kNavy);

    curve.applyCurveColour(QColor(0, 100, 0));
    curve.applyBackgroundColour(QColor(250, 240, 200));
    c = ColoursFor(curve.chart()->data());
    EXPECT_EQ(c.gradientStart, c.gradientEnd); // flat
    EXPECT_EQ(c.text, QColor(0, 100, 0));
    EXPECT_EQ(curve.chart()->curveSeries()->pen().color(), QColor(0, 100, 0));
    EXPECT_EQ(state.settings.backgroundColour, 250u + 256u * 240 + 65536u * 200);

    curve.restoreDefaultColours();
    c = ColoursFor(curve.chart()->data());
    EXPECT_EQ(c.gradientStart, QColor(1, 128, 255));
    EXPECT_EQ(c.gradientEnd, kAqua);
    EXPECT_EQ(c.text, kNavy);
    EXPECT_EQ(state.settings.backgroundColour, 16744449u);
    EXPECT_EQ(state.settings.curveColour, 255u);
}

TEST_F(CurveWindowTest, CrossHairSitsOnTheCurveAndLeavesNoTrace) {
    for (bool threeD : {false, true}) {
        CurveWindow curve(state, messages);
        curve.resize(600, 500);
        curve.drawDayCurve(state.selectedDay, state.selectedDay + 1);
        if (threeD) curve.toggleThreeD();
        CurveChart* chart = curve.chart();
        const QRectF plot = chart->plotArea();
        const QPointF off = chart->depthOffset();
        EXPECT_EQ(threeD, off.x() > 0);
        const QPointF mouse = plot.center() + QPointF(off.x(), -off.y());

        curve.chartMouseMove(chart->mapToScene(mouse));
        EXPECT_FALSE(chart->crossHairVisible()) << "cursor display is off at start";

        curve.toggleCursor();
        curve.chartMouseMove(chart->mapToScene(mouse));
        ASSERT_TRUE(chart->crossHairVisible());
        const double x = chart->valueAt(plot.center()).x();
        const double y = curve.heightAt(x + kDateTimeOrigin);
        EXPECT_EQ(curve.heightReadout()->text(), FormatReadoutHeight(y, QLatin1Char('.')));
        EXPECT_EQ(curve.timeReadout()->text(), AxisTimeLabel(x, CurveView::Day));
        EXPECT_TRUE(curve.timeReadout()->isVisibleTo(&curve));

        // Outside the plot: no cross-hair, no readouts.
        curve.chartMouseMove(chart->mapToScene(QPointF(2, 2)));
        EXPECT_FALSE(chart->crossHairVisible());
        EXPECT_FALSE(curve.timeReadout()->isVisibleTo(&curve));
    }
}

TEST_F(CurveWindowTest, PositionIndicatorBlinksAndFollowsTheClock) {
    CurveWindow curve(state, messages);
    curve.drawDayCurve(state.selectedDay, state.selectedDay + 1);
    curve.togglePositionIndicator();
    ASSERT_TRUE(curve.indicatorOn());
    EXPECT_TRUE(curve.indicatorTimer()->isActive());
    EXPECT_EQ(curve.indicatorTimer()->interval(), 1000);
    ASSERT_EQ(curve.chart()->indicatorSeries()->count(), 1);
    const double now = JulianDayOfText("12 03 2024 10:17:23").value();
    EXPECT_NEAR(curve.chart()->indicatorSeries()->at(0).x(), now - kDateTimeOrigin, 1e-9);
    EXPECT_EQ(curve.chart()->indicatorSeries()->brush().color(), QColor(255, 0, 0));

    clockTime = clockTime.addSecs(60);
    curve.updatePositionIndicator();
    EXPECT_EQ(curve.chart()->indicatorSeries()->brush().color(), QColor(0, 0, 255));
    const QPointF p = curve.chart()->indicatorSeries()->at(0);
    EXPECT_NEAR(p.x(), now + 60.0 / 86400 - kDateTimeOrigin, 1e-6);
    EXPECT_DOUBLE_EQ(p.y(), curve.heightAt(p.x() + kDateTimeOrigin));
    EXPECT_EQ(curve.heightReadout()->text(), curve.chart()->leftLabel(p.y()));
    EXPECT_EQ(curve.timeReadout()->text(), "10:18");
    curve.updatePositionIndicator();
    EXPECT_EQ(curve.chart()->indicatorSeries()->brush().color(), QColor(255, 0, 0));

    // Another date: the indicator stops and its command is disabled.
    curve.setPositionIndicatorAllowed(false);
    EXPECT_FALSE(curve.indicatorOn());
    EXPECT_FALSE(curve.indicatorTimer()->isActive());
    EXPECT_EQ(curve.chart()->indicatorSeries()->count(), 0);
    EXPECT_FALSE(curve.action("IndicateurPosition")->isEnabled());
}

TEST_F(CurveWindowTest, StoredSwitchesAndBounds) {
    {
        CurveWindow curve(state, messages);
        curve.setGeometry(100, 120, 500, 450);
        curve.toggleElements();
        curve.togglePositionIndicator();
    }
    {
        const auto store = state.settingsStore.open();
        const CurveWindowSettings s = LoadCurveWindowSettings(*store);
        EXPECT_TRUE(s.indicator);
        EXPECT_TRUE(s.elements);
        ASSERT_TRUE(s.bounds.has_value());
        EXPECT_EQ(s.bounds->size(), QSize(500, 450));
    }
    {
        CurveWindow curve(state, messages);
        EXPECT_TRUE(curve.indicatorOn());
        EXPECT_TRUE(curve.elementsOn());
        EXPECT_EQ(curve.geometry().size(), QSize(500, 450));
        // The week view switches the elements off, and so does the stored value.
        curve.drawSpan(7);
        EXPECT_FALSE(curve.elementsOn());
        EXPECT_FALSE(curve.indicatorOn());
    }
    const auto store = state.settingsStore.open();
    EXPECT_EQ(store->value("elemts_courbe").toInt(), 0);
    EXPECT_EQ(store->value("curseur").toInt(), 0);
}

TEST_F(CurveWindowTest, NextWindowsOpenBesideIt) {
    CurveWindow curve(state, messages);
    curve.move(210, 140);
    curve.show();
    QWidget interval, pageSetup;
    interval.setGeometry(0, 0, 200, 150);
    pageSetup.setGeometry(0, 0, 200, 150);
    curve.setIntervalWindow(&interval);
    curve.setPageSetupWindow(&pageSetup, [] { return false; });
    struct Case {
        const char* what;
        QWidget* window;
        void (CurveWindow::*open)();
    };
    const Case cases[] = {{"interval", &interval, &CurveWindow::showIntervalWindow},
                          {"page set-up", &pageSetup, &CurveWindow::showPageSetup}};
    for (const Case& c : cases) {
        (curve.*c.open)();
        EXPECT_TRUE(c.window->isVisible()) << c.what;
        // Beside the curve, not over it, and wholly on the screen.
        EXPECT_FALSE(c.window->frameGeometry().intersects(curve.frameGeometry())) << c.what;
        EXPECT_TRUE(curve.screen()->availableGeometry().contains(c.window->frameGeometry()))
            << c.what;
    }
}

TEST_F(CurveWindowTest, MissingSwitchesFallBack) {
    {
        const auto store = state.settingsStore.open();
        store->setValue("langue", "FRANCAIS"); // the key exists, the switches do not
    }
    CurveWindow curve(state, messages);
    EXPECT_FALSE(curve.indicatorOn());
    EXPECT_TRUE(curve.elementsOn());
    EXPECT_EQ(curve.geometry().size(), kCurveWindowDesignBounds.size());
}

TEST_F(CurveWindowTest, SavedBitmapHasTheChartSize) {
    CurveWindow curve(state, messages);
    curve.resize(520, 480);
    curve.drawDayCurve(state.selectedDay, state.selectedDay + 1);
    const QSize size = curve.chartView()->size();
    for (const char* name : {"courbe.bmp", "courbe.png", "courbe"}) {
        const QString file = home.filePath(QString::fromLatin1(name));
        ASSERT_TRUE(curve.saveImage(file)) << name;
        const QString written = QFile::exists(file) ? file : file + ".bmp";
        QImageReader reader(written);
        reader.setDecideFormatFromContent(true);
        EXPECT_EQ(reader.format(),
                  QByteArray(QString::fromLatin1(name).endsWith(".png") ? "png" : "bmp"));
        const QImage image = reader.read();
        ASSERT_FALSE(image.isNull()) << name;
        EXPECT_EQ(image.size(), size);
    }
    EXPECT_TRUE(messages.shown.isEmpty());
    EXPECT_FALSE(curve.saveImage(home.filePath("missing-folder/courbe.bmp")));
    EXPECT_EQ(messages.shown.size(), 1);
}

int PdfPages(const QString& file) {
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly)) return -1;
    const QString text = QString::fromLatin1(f.readAll());
    return static_cast<int>(text.count(QRegularExpression(R"(/Type\s*/Page(?!s))")));
}

TEST_F(CurveWindowTest, PrintsOnePageAndKeepsTheScreenColours) {
    {
        const auto store = state.settingsStore.open();
        store->setValue("impression/marge_g", 10);
        store->setValue("impression/marge_d", 10);
        store->setValue("impression/marge_h", 20);
        store->setValue("impression/marge_b", 5);
        store->setValue("impression/portrait", 0);
    }
    CurveWindow curve(state, messages);
    curve.drawDayCurve(state.selectedDay, state.selectedDay + 1);
    curve.toggleElements();
    bool blackAndWhite = true;
    curve.setPageSetupWindow(nullptr, [&] { return blackAndWhite; });
    const CurveData before = curve.chart()->data();

    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    const QString file = home.filePath("courbe.pdf");
    printer.setOutputFileName(file);
    printer.setPageOrientation(QPageLayout::Portrait);
    curve.printTo(printer);
    ASSERT_TRUE(QFile::exists(file));
    EXPECT_EQ(PdfPages(file), 1);
    // The printer's own orientation comes back after the print.
    EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Portrait);
    const CurveData after = curve.chart()->data();
    EXPECT_FALSE(after.blackAndWhite);
    EXPECT_EQ(ColoursFor(after).text, ColoursFor(before).text);
    EXPECT_EQ(curve.chart()->curveSeries()->pen().color(), QColor(255, 0, 0));
}

TEST(CurveWindowLayout, ChartReadoutsPanelAndProgressBar) {
    const QSize panel(160, 25), readout(85, 25), progress(150, 12);
    for (const QSize client : {QSize(413, 427), QSize(800, 600), QSize(1000, 300)}) {
        const CurveWindowGeometry g = CurveWindowLayout(client, panel, readout, progress);
        EXPECT_EQ(g.chart.width(), client.width() - 5);
        EXPECT_EQ(g.chart.height(), client.height() - 50);
        EXPECT_EQ(g.heure.top(), g.chart.bottom() + 7);
        EXPECT_EQ(g.heure.left(), 0);
        EXPECT_EQ(g.hauteur.left(), client.width() - 90);
        EXPECT_EQ(g.panel.left(), client.width() / 2 - panel.width() / 2);
        EXPECT_EQ(g.progress.top(), g.chart.bottom() + 36);
        EXPECT_LE(g.progress.bottom(), client.height());
        EXPECT_LE(g.hauteur.right(), client.width());
    }
}

} // namespace
} // namespace ondrel::test
