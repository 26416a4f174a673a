// The curve window with the port's legal time: the legal day runs over the hours that really
// pass (23 or 25 on the days the clocks change), its axis and readouts read the legal clock, and
// a fixed reference keeps its day of 24 hours.
#include "ViewsTestSupport.h"
#include "chart/CurveTexts.h"
#include "ports/PortTimeZone.h"
#include "views/curve/CurveWindow.h"

#include <QLineSeries>

namespace ondrel::test {
namespace {

struct LegalDayCase {
    const char* label;
    QDate date;
    int referenceCode; // 200: the legal time
    double hours;      // of the day curve
    const char* end;   // the legal clock's reading of its last point
    const char* foot;  // the end of the foot's coefficients line
};

class LegalCurveTest : public ViewsTest, public ::testing::WithParamInterface<LegalDayCase> {};

TEST_P(LegalCurveTest, TheDayCurveRunsOverTheLegalDay) {
    const LegalDayCase& c = GetParam();
    setClock(QDateTime(c.date, QTime(12, 0)));
    state.settings.timeReference = TimeReference(c.referenceCode);
    state.legalZone = SystemZone(QStringLiteral("Europe/Paris"), Language::English);
    ASSERT_NE(state.legalZone, nullptr);

    CurveWindow curve(state, messages);
    curve.drawDayCurve(state.selectedDay, state.selectedDay + 1);
    const QList<QPointF> points = curve.chart()->curveSeries()->points();
    ASSERT_GT(points.size(), 2);
    EXPECT_NEAR((points.back().x() - points.front().x()) * 24, c.hours, 0.01);
    EXPECT_EQ(curve.chart()->bottomLabel(points.front().x()), QStringLiteral("00:00"));
    EXPECT_EQ(curve.chart()->bottomLabel(points.back().x()), QString::fromUtf8(c.end));
    // The readings follow the plotted curve.
    const QPointF middle = points.at(points.size() / 2);
    EXPECT_NEAR(curve.heightAt(middle.x() + kDateTimeOrigin), middle.y(), 1e-9);
    // The foot names the offset in force at noon and the zone (a fixed reference its own way).
    const QStringList foot =
        CurveFootLines(state.context(), state.source(), state.selectedDay, Language::French, 1,
                       state.settings.timeReference, QStringLiteral(","), true);
    ASSERT_EQ(foot.size(), 2);
    EXPECT_TRUE(foot[1].endsWith(QString::fromUtf8(c.foot))) << foot[1].toStdString();
}

using LegalWeekTest = ViewsTest;

TEST_F(LegalWeekTest, ALegalWeekInSummerIsTheWeekOfSummerTime) {
    setClock(QDateTime(QDate(2026, 7, 1), QTime(12, 0)));
    state.legalZone = SystemZone(QStringLiteral("Europe/Paris"), Language::English);
    ASSERT_NE(state.legalZone, nullptr);
    const auto week = [&](int code) {
        state.settings.timeReference = TimeReference(code);
        CurveWindow curve(state, messages);
        curve.drawSpan(7);
        return curve.chart()->curveSeries()->points();
    };
    const QList<QPointF> summer = week(2);
    ASSERT_FALSE(summer.isEmpty());
    EXPECT_EQ(week(TimeReference::kLegalCode), summer);
    EXPECT_NE(week(1), summer); // the case tells the two offsets apart
}

INSTANTIATE_TEST_SUITE_P(
    Legal, LegalCurveTest,
    ::testing::Values(LegalDayCase{"SpringForward", QDate(2026, 3, 29), 200, 23 - 0.1 / 60, "23:59",
                                   " - UT+2 Europe/Paris"},
                      LegalDayCase{"Summer", QDate(2026, 7, 14), 200, 24 - 0.1 / 60, "23:59",
                                   " - UT+2 Europe/Paris"},
                      LegalDayCase{"FallBack", QDate(2026, 10, 25), 200, 25 - 0.1 / 60, "23:59",
                                   " - UT+1 Europe/Paris"},
                      LegalDayCase{"FallBackInUtPlusOne", QDate(2026, 10, 25), 1, 24 - 0.1 / 60,
                                   "23:59", " - UT +1"}),
    [](const auto& info) { return std::string(info.param.label); });

} // namespace
} // namespace ondrel::test
