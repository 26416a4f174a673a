// What a user walkthrough found in the curve window: the printed indicator, the printer set-up
// and the first look in English (its findings in the chart: tests/chart/CurveChartTest.cpp).
#include "ViewsTestSupport.h"
#include "chart/CurveImage.h"
#include "views/curve/CurveWindow.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace ondrel::test {
namespace {

using WalkthroughTest = ViewsTest;

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
    EXPECT_TRUE(curve.chart()->data().title.join(u'\n').contains(QStringLiteral("March"),
                                                                 Qt::CaseInsensitive));
}

} // namespace
} // namespace ondrel::test
