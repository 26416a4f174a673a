// The main window brought up to date by the date and options windows, as DesktopWindows connects
// them (the windows themselves: tests/views/main).
#include "GuiTestSupport.h"
#include "OptionsWindowTestSupport.h"

#include "app/DesktopWindows.h"
#include "engine/Julian.h"
#include "views/main/DateWindow.h"
#include "views/main/MainWindow.h"
#include "views/ports/PortWindow.h"
#include "views/sun/EphemeridesWindow.h"

#include <QCalendarWidget>
#include <QLabel>
#include <QPlainTextEdit>
#include <QSignalSpy>

namespace ondrel::test {
namespace {

// The suites of the date and options windows' tests (tests/views/main).
using DateWindowTest = GuiTest;

TEST_F(DateWindowTest, MainWindowComputesTheReportOnlyWithAPort) {
    WritePortTable(workDir(), SmallPortList());
    state.settings.chosenLanguage = Language::English;
    {
        auto s = store();
        s->setValue("langue", kEnglish);
    }
    DesktopWindows desktop(state, boxes);
    MainWindow& main = desktop.main();
    QSignalSpy curve(&main, &MainWindow::dayCurveRequested);
    QSignalSpy indicator(&main, &MainWindow::positionIndicatorAllowed);
    main.retranslate();
    DateWindow& w = *desktop.dateWindow();
    w.calendar()->setSelectedDate(QDate(2024, 7, 4));
    w.confirm();
    EXPECT_EQ(main.findChild<QLabel*>("DateSelection")->text(),
              QStringLiteral("Thursday, 4 July 2024"));
    EXPECT_TRUE(main.findChild<QLabel*>("coeffmatin")->text().startsWith("morning : "));
    EXPECT_EQ(curve.count(), 0); // no port yet
    ASSERT_EQ(indicator.count(), 1);
    EXPECT_FALSE(indicator.at(0).at(0).toBool());

    ASSERT_TRUE(desktop.portWindow()->selectNearest("BREST"));
    desktop.portWindow()->confirm();
    curve.clear();
    w.confirm();
    ASSERT_EQ(curve.count(), 1);
    // Picking a day draws the whole day.
    EXPECT_DOUBLE_EQ(curve.at(0).at(0).toDouble(), JulianDay(2024, 7, 4));
    EXPECT_DOUBLE_EQ(curve.at(0).at(1).toDouble(), JulianDay(2024, 7, 4) + 1);
    EXPECT_FALSE(main.findChild<QPlainTextEdit*>("HeuresOndrel")->toPlainText().isEmpty());
}

TEST_F(OptionsWindowTest, OkRefreshesTheMainWindowToToday) {
    WritePortTable(workDir(), SmallPortList());
    store()->setValue("langue", kEnglish);
    store()->setValue("dernier_port", "BREST");
    DesktopWindows desktop(state, boxes);
    MainWindow& main = desktop.main();
    main.retranslate();
    main.acceptWarning();
    state.selectedDay = JulianDay(2030, 1, 1);
    auto* report = main.findChild<QWidget*>("HeuresOndrel");
    ASSERT_NE(report, nullptr);
    OptionsWindow& w = *desktop.optionsWindow();
    w.show();
    click(item(w, "choixunite", 1));
    w.confirm();
    EXPECT_EQ(state.selectedDay, JulianDay(2024, 3, 13));
    EXPECT_TRUE(main.findChild<QLabel*>("DateSelection")->text().contains("13 March 2024"));
    EXPECT_TRUE(main.findChild<QPlainTextEdit*>("HeuresOndrel")->toPlainText().contains(" feet"));
}

// New options reach a window already on the screen at once, not at its next activation.
TEST_F(OptionsWindowTest, NewOptionsReachTheShownWindowsAtOnce) {
    WritePortTable(workDir(), SmallPortList());
    store()->setValue("langue", kEnglish);
    store()->setValue("dernier_port", "BREST");
    DesktopWindows desktop(state, boxes);
    desktop.main().retranslate();
    desktop.main().acceptWarning();
    EphemeridesWindow& sun = *desktop.ephemeridesWindow();
    sun.show();
    const auto sunrise = [&] { return sun.findChild<QLabel*>("lever")->text(); };
    QStringList shown;
    for (int reference : {1, 2}) { // UT+1, UT+2
        OptionsWindow& w = *desktop.optionsWindow();
        w.show();
        click(item(w, "choixfuseau", reference));
        w.confirm();
        shown << sunrise();
    }
    EXPECT_NE(shown[0], shown[1]);
}

} // namespace
} // namespace ondrel::test
