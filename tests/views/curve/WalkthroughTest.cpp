// What a user walkthrough found in the curve window: a long port name, a dark background, the
// printed indicator, the printer set-up and the first look in English.
#include "CurveImage.h"
#include "CurveWindow.h"
#include "ViewsTestSupport.h"

#include <QAction>
#include <QCoreApplication>
#include <QGraphicsScene>
#include <QGraphicsTextItem>
#include <QMenu>
#include <QMenuBar>

namespace ondrel::test {
namespace {

using WalkthroughTest = ViewsTest;

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
    state.settings.chosenLanguage = Language::English;
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
