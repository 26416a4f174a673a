// What a user walkthrough found in the curve window: a long port name, a dark background, the
// printed indicator, the printer set-up and the first look in English.
#include "CurveImage.h"
#include "CurveWindow.h"
#include "ViewsTestSupport.h"

#include <QAction>
#include <QCoreApplication>
#include <QFontMetricsF>
#include <QGraphicsScene>
#include <QGraphicsSimpleTextItem>
#include <QGraphicsTextItem>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>

namespace ondrel::test {
namespace {

using WalkthroughTest = ViewsTest;

TEST(CurveTitle, ALongPortNameIsShortenedAndTheDateKept) {
    const QString longName =
        QStringLiteral("MISSISSIPPI SOUND AT USGS MERRILL SHELL BANK LIGHT (30 13 N - 088 54 W)");
    const QString date = QStringLiteral("Lundi, 7 décembre 2026");
    for (const double width : {300.0, 420.0, 900.0}) {
        SCOPED_TRACE(width);
        CurveChart chart;
        chart.resize(width, 300);
        chart.setTexts({longName, date}, {});
        // Lines as the chart shows them.
        QString shown = chart.title();
        shown.remove(QRegularExpression(QStringLiteral("<div[^>]*>|</div>")));
        const QStringList lines = shown.split(QStringLiteral("<br>"));
        ASSERT_EQ(lines.size(), 2);
        EXPECT_EQ(lines[1], date.toHtmlEscaped());
        const QFontMetricsF metrics(chart.titleFont());
        EXPECT_LE(metrics.horizontalAdvance(lines[0]), width - 20);
        EXPECT_TRUE(longName.toHtmlEscaped().startsWith(lines[0].chopped(1)) ||
                    lines[0] == longName.toHtmlEscaped())
            << lines[0].toStdString();
        // The chart shows both lines as they are, without cutting them itself.
        QGraphicsScene scene;
        scene.addItem(&chart);
        QCoreApplication::processEvents();
        bool dateShown = false;
        for (QGraphicsItem* item : chart.childItems())
            if (auto* text = dynamic_cast<QGraphicsTextItem*>(item))
                dateShown |= text->toPlainText().contains(date);
        EXPECT_TRUE(dateShown);
        scene.removeItem(&chart);
        // Resizing the chart shortens the lines again; both stay.
        chart.resize(width / 2, 300);
        EXPECT_EQ(chart.title().count(QStringLiteral("<br>")), 1);
        EXPECT_LE(QFontMetricsF(chart.titleFont())
                      .horizontalAdvance(
                          chart.title().section(QStringLiteral("<br>"), 0, 0).section(u'>', 1)),
                  width / 2 - 20);
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

TEST_F(WalkthroughTest, IntervalTimesStayClearOfTheHeightLabels) {
    CurveWindow curve(state, messages);
    curve.resize(420, 480);
    curve.drawDayCurve(state.selectedDay, state.selectedDay + 1);
    QCoreApplication::processEvents(); // activated: a new interval starts
    CurveChart* chart = curve.chart();
    for (const bool threeD : {false, true}) {
        SCOPED_TRACE(threeD);
        chart->setThreeD(threeD);
        chart->clearInterval();
        QCoreApplication::processEvents();
        // Times at the very start and end of the day, where the labels meet the axes.
        const std::vector<CurvePoint>& points = chart->data().points;
        for (const CurvePoint& p : {points.front(), points[3], points[points.size() / 2], points.back()})
            chart->addIntervalPoint(QPointF(p.x, p.y));
        const QRectF plot = chart->plotArea();
        int labels = 0;
        for (QGraphicsItem* item : chart->childItems()) {
            auto* label = dynamic_cast<QGraphicsSimpleTextItem*>(item);
            if (!label || !label->isVisible() || label->text().size() != 5) continue;
            ++labels;
            const QRectF r = label->mapRectToParent(label->boundingRect());
            EXPECT_GE(r.left(), plot.left()) << label->text().toStdString();
            EXPECT_LE(r.right(), plot.right() + chart->depthOffset().x()) << label->text().toStdString();
        }
        EXPECT_EQ(labels, 4);
    }
}

TEST_F(WalkthroughTest, ThePrintShowsThePositionIndicatorLikeTheCopy) {
    CurveWindow curve(state, messages);
    curve.drawDayCurve(state.selectedDay, state.selectedDay + 1);
    curve.togglePositionIndicator();
    ASSERT_TRUE(curve.chart()->data().indicator.has_value());
    for (const bool blackAndWhite : {false, true}) {
        const CurveData printed = PrintedCurve(curve.chart()->data(), blackAndWhite);
        EXPECT_EQ(printed.indicator, curve.chart()->data().indicator);
        EXPECT_EQ(printed.blackAndWhite, blackAndWhite);
    }
}

TEST_F(WalkthroughTest, PrinterSettingsOpenThePageSettingsWindow) {
    CurveWindow curve(state, messages);
    QWidget pageSetup;
    curve.setPageSetupWindow(&pageSetup, [] { return false; });
    curve.findChild<QAction*>(QStringLiteral("Configuration"))->trigger();
    EXPECT_TRUE(pageSetup.isVisible());
}

TEST_F(WalkthroughTest, ShownFirstWithoutActivationItSpeaksTheLanguage) {
    state.settings.langue = kEnglish;
    state.dateNames = DateNames::Of(Language::English);
    CurveWindow curve(state, messages);
    curve.drawDayCurve(state.selectedDay, state.selectedDay + 1);
    EXPECT_EQ(curve.windowTitle(), QStringLiteral("Time versus Tide Plot"));
    EXPECT_EQ(curve.findChild<QMenu*>(QStringLiteral("Affichage1"))->title(),
              QStringLiteral("&Show"));
    EXPECT_TRUE(curve.chart()->data().title.join(u'\n').contains(QStringLiteral("march"),
                                                                 Qt::CaseInsensitive));
}

} // namespace
} // namespace ondrel::test
